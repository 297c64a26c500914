#pragma once
// The "Radio" tab: station identity and position on the left, radio timing on the right, each label right-aligned
// against its control.

#include "ui/TabPage.h"

namespace tarnvik {

class RadioTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "Radio";
  explicit RadioTab(SettingsBinder& binder);
};

}  // namespace tarnvik
