// Settings as the window names them, for Compare: the tab and the label,
// every name its own, and values as the controls show them.
#include <gtest/gtest.h>

#include <QTabWidget>
#include <set>

#include "app/SettingNames.h"
#include "settings/DeviceSettings.h"
#include "support/FreshSettings.h"
#include "ui/SettingsBinder.h"
#include "ui/SettingsTabs.h"

namespace tarnvik {
namespace {

struct Tabs {
  Tabs() { AddSettingsTabs(tabs, binder); }
  DeviceSettings settings = test::FreshSettings();
  SettingsBinder binder{settings};
  QTabWidget tabs;
};

TEST(SettingNames, TheTabAndTheLabelAndTheValueAsShown) {
  Tabs window;
  const SettingNames names(window.tabs, window.binder);
  const auto index = [](const char* name) { return DeviceSettings::indexOf(name); };
  const struct {
    const char *setting, *a, *b;
    QString line;
  } cases[] = {
      {"Txdelay", "250", "300", "Radio: TX delay [ms]: 250 -> 300"},
      {"Callsign", "NOCALL", "OH2XYZ", "Radio: Callsign: \"NOCALL\" -> \"OH2XYZ\""},
      {"Ssid", "0", "4", "Radio: Callsign SSID: 0 -> 4"},
      {"Ptt", "0", "1", "Radio: PTT: \"separate output\" -> \"2k2 resistor\""},
      {"Ptt", "-1", "0", "Radio: PTT: (none) -> \"separate output\""},
      {"Uploadpctime", "1", "0", "RTC time: Upload PC system time on config write: checked -> unchecked"},
      {"Teleanalog2_coefa", "", "1.5", "Telemetry reports: Analog 2 Coeff A: \"\" -> 1.5"},
      {"Weather_stationtype", "0", "1", "Weather: Weather station: \"None\" -> \"Peet Bros Ultimeter 100\""},
  };
  for (const auto& c : cases) {
    const QStringList lines = names.lines({{index(c.setting), c.a, c.b}});
    ASSERT_EQ(lines.size(), 1) << c.setting;
    EXPECT_EQ(lines[0], c.line) << c.setting;
  }
}

// Two settings of one name could not be told apart in a list of differences.
TEST(SettingNames, EverySettingShownHasANameOfItsOwnOnItsTab) {
  Tabs window;
  const SettingNames names(window.tabs, window.binder);
  std::set<QString> seen;
  for (std::size_t i = 0; i < SettingsTable().size(); ++i) {
    if (window.binder.controlOf(SettingsTable()[i].name) == nullptr) continue;
    const SettingNames::Name& name = names.of(i);
    EXPECT_GE(name.tab, 0) << SettingsTable()[i].name;
    EXPECT_TRUE(name.shown.startsWith(window.tabs.tabText(name.tab) + ": ")) << name.shown.toStdString();
    EXPECT_FALSE(name.shown.endsWith(": -") || name.shown.endsWith(": ")) << name.shown.toStdString();
    EXPECT_TRUE(seen.insert(name.shown).second) << "twice: " << name.shown.toStdString();
  }
  EXPECT_GT(seen.size(), 200u);
}

}  // namespace
}  // namespace tarnvik
