#include "ui/SettingsTabs.h"

#include <QTabWidget>

#include "ui/BeaconsTab.h"
#include "ui/DigipeaterTab.h"
#include "ui/RadioTab.h"
#include "ui/RtcTimeTab.h"
#include "ui/SerialPortsTab.h"
#include "ui/TelemetryTab.h"
#include "ui/WeatherTab.h"

namespace tarnvik {

namespace {

template <typename Tab>
void Add(QTabWidget& pageControl, SettingsBinder& binder) {
  pageControl.addTab(new Tab(binder), QString::fromLatin1(Tab::kCaption));
}

}  // namespace

void AddSettingsTabs(QTabWidget& pageControl, SettingsBinder& binder) {
  Add<RadioTab>(pageControl, binder);
  Add<DigipeaterTab>(pageControl, binder);
  Add<BeaconsTab>(pageControl, binder);
  Add<WeatherTab>(pageControl, binder);
  Add<RtcTimeTab>(pageControl, binder);
  Add<TelemetryTab>(pageControl, binder);
  Add<SerialPortsTab>(pageControl, binder);
  pageControl.setCurrentIndex(0);
}

}  // namespace tarnvik
