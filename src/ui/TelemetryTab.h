#pragma once
// The "Telemetry reports" tab: a second tab control, PageControl2, with button-style tabs for its five pages: the
// report settings, the analog channels, the digital channels 1-4 and 5-8 (each row with its "Default parameters" preset
// button) and the outputs of the Sorbex module.

#include "ui/TabPage.h"

namespace tarnvik {

class TelemetryTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "Telemetry reports";
  explicit TelemetryTab(SettingsBinder& binder);
};

}  // namespace tarnvik
