#pragma once
// The "RTC time" tab: whether Write config sends the PC time, the five clock fields (editable only when it does not)
// and the note on when the unit takes the time.

#include "ui/TabPage.h"

namespace tarnvik {

class RtcTimeTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "RTC time";
  explicit RtcTimeTab(SettingsBinder& binder);
};

}  // namespace tarnvik
