#pragma once
// The "Weather" tab: the weather station, the weather report row and the WS-23XX warning.

#include "ui/TabPage.h"

namespace tarnvik {

class WeatherTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "Weather";
  explicit WeatherTab(SettingsBinder& binder);
};

}  // namespace tarnvik
