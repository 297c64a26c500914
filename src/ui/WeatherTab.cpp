#include "ui/WeatherTab.h"

namespace tarnvik {

WeatherTab::WeatherTab(SettingsBinder& binder) : TabPage("TabWeather") {
  stack(binder, {Area::Weather}, {Area::WeatherWarning});
}

}  // namespace tarnvik
