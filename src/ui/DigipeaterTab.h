#pragma once
// The "Digipeater" tab: three groups side by side, the common digipeater settings, the eight New-N path rules and the
// callsign filter.

#include "ui/TabPage.h"

namespace tarnvik {

class DigipeaterTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "Digipeater";
  explicit DigipeaterTab(SettingsBinder& binder);
};

}  // namespace tarnvik
