#pragma once
// The "Beacons" tab: eight beacon rows under their column heads, and the "Special strings" button (Button11) above the
// message column; the main window opens the special strings dialog from it.

#include "ui/TabPage.h"

namespace tarnvik {

class BeaconsTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "Beacons";
  explicit BeaconsTab(SettingsBinder& binder);
};

}  // namespace tarnvik
