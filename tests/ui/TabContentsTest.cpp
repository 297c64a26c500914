// What the settings tabs hold: a control for every setting under its own
// name, the fixed texts verbatim, the hints, the labels that name the
// controls, and the order in which the Tab key visits them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Form1.h"
#include "settings/DeviceSettings.h"
#include "settings/Families.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

using Names = std::vector<std::string>;

class TabContents : public ::testing::Test {
 protected:
  QWidget& control(const std::string& name) { return test::Find<QWidget>(form, name); }
  QWidget& tab(const char* name) { return test::Find<QWidget>(form, name); }
  QStringList texts(QWidget& parent) {
    QStringList all;
    for (QLabel* label : parent.findChildren<QLabel*>()) all << label->text();
    return all;
  }
  // The object names the focus reaches, pressing Tab from the first control on.
  Names walk(const std::string& first, std::size_t steps) {
    QWidget& start = control(first);
    test::Reveal(start);
    start.setFocus();
    Names visited{QApplication::focusWidget()->objectName().toStdString()};
    for (std::size_t i = 1; i < steps; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    return visited;
  }
  Names walk(const Names& expected) { return walk(expected.front(), expected.size()); }

  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
};

TEST_F(TabContents, EverySettingHasOneControlOfItsKindUnderItsName) {
  for (const SettingDefinition& d : SettingsTable()) {
    const auto named = form.findChildren<QWidget*>(QString::fromStdString(d.name));
    ASSERT_EQ(named.size(), 1) << d.name;
    QWidget* widget = named.front();
    switch (d.kind) {
      case SettingKind::Text: EXPECT_TRUE(qobject_cast<QLineEdit*>(widget)) << d.name; break;
      case SettingKind::Choice: EXPECT_TRUE(qobject_cast<QComboBox*>(widget)) << d.name; break;
      case SettingKind::Flag: EXPECT_TRUE(qobject_cast<QCheckBox*>(widget)) << d.name; break;
    }
  }
  for (int n : {6, 7, 8, 9, 10, 13, 14, 15, 16, 17, 18, 19, 20})
    EXPECT_EQ(test::Find<QPushButton>(form, "Button" + std::to_string(n)).text(), "Default parameters");
  EXPECT_EQ(test::Find<QPushButton>(form, "Button11").text(), "Special strings");
  EXPECT_EQ(test::Find<QCheckBox>(form, "Uploadpctime").text(), "Upload PC system time on config write");
  EXPECT_EQ(test::Find<QCheckBox>(form, "Pathn4_active").text(), "");
}

TEST_F(TabContents, TelemetryPagesAreButtonsWithReportSettingsFirst) {
  auto& pages = test::Find<QTabWidget>(form, "PageControl2");
  QStringList captions;
  for (int i = 0; i < pages.count(); ++i) captions << pages.tabText(i);
  EXPECT_EQ(captions, QStringList({"Report settings", "Analog channels", "Digital channels 1-4", "Digital channels 5-8",
                                   "Sorbex outputs"}));
  EXPECT_EQ(pages.currentIndex(), 0);
  EXPECT_TRUE(tab("TabTelemetry").isAncestorOf(&pages));
}

TEST_F(TabContents, WarningsAndNotesStandVerbatim) {
  const QStringList warning = {
      "Warning. If you select weather station on one of RS-232 ports and you want to use WS-23XX station, the other "
      "port will be disabled.",
      "This is done because other port's TXD line is needed as negative voltage polarization for these kind of "
      "stations.",
      "Please refer to the manual for proper wiring of WS-23XX weather stations."};
  for (const char* name : {"TabWeather", "TabSerialPorts"}) {
    const QStringList shown = texts(tab(name));
    EXPECT_EQ(shown.mid(shown.size() - 3), warning) << name;
  }
  EXPECT_TRUE(texts(tab("TabRtcTime"))
                  .contains("Internal Real Time Clock is updated when the device exits config mode and enters normal "
                            "mode. To get exact time please change to normal mode quickly after config write."));
  EXPECT_TRUE(texts(tab("TabDigipeater")).contains("* wildcards are supported in callsign filter rules"));
  EXPECT_TRUE(texts(tab("PageReportSettings"))
                  .contains("Please refer to APRS protocol reference v1.0.1, chapter 13, for more info about telemetry "
                            "reports, messages, and protocol limitations (\"aprs protocol reference\" in google)."));
  EXPECT_EQ(texts(tab("TabBeacons")).count("-"), 16);
  EXPECT_EQ(texts(tab("TabDigipeater")).count("-"), 10);
  EXPECT_EQ(texts(tab("PageReportSettings")).count("-"), 4);
  EXPECT_EQ(texts(tab("PageDigitalChannels1to4")).mid(0, 4), QStringList({"Name:", "Label", "Source", "Inverted:"}));
}

TEST_F(TabContents, HintsCarryTheirMembersNumberAndAbsentWhereNone) {
  EXPECT_EQ(control("Beacon5_txrate_rf").toolTip(), "Beacon 5 TX rate to RF (minutes). Set 0 to disable.");
  EXPECT_EQ(control("Teleanalog4_coefb").toolTip(),
            "Analog channel 4 telemetry calculation coefficient B. Equation: A*x*x+B*x+C (where x is the measurement "
            "sample).");
  EXPECT_EQ(control("Teledigital6_units").toolTip(), "Digital channel 6 report label.");
  EXPECT_EQ(control("Beacon8_path_ssid").toolTip(), "Beacon 8 path SSID.");
  EXPECT_EQ(control("Quiettime").toolTip(), "Delay between last received  packet and packet send.");
  EXPECT_EQ(control("Pathn7_traceable").toolTip(),
            "If selected, the device will add its callsign to path of digipeated packets.");
  EXPECT_EQ(control("Teledata_path_ssid").toolTip(), "Telemetry data path SSID.");
  EXPECT_EQ(control("Button9").toolTip(), "Default parameters for telemetry module.");
  Names silent = {"Digion",   "Serial1_mode", "Serial2_mode",  "RS485_mode",
                  "Button11", "Pathn3_lower", "Pathn3_higher", "Pathn3_active"};
  for (const char* clock : kClockFields) silent.push_back(clock);
  for (int n : families::kSorbexOutputs.numbers()) silent.push_back(families::kSorbexOutputs.name(n, "output"));
  for (int n : families::kDigitalChannels.numbers()) silent.push_back("Button" + std::to_string(12 + n));
  for (const std::string& name : silent) EXPECT_EQ(control(name).toolTip(), "") << name;
}

TEST_F(TabContents, LabelsNameTheirControlsForScreenReaders) {
  const auto buddyOf = [&](QWidget& parent, const QString& text) -> QWidget* {
    for (QLabel* label : parent.findChildren<QLabel*>())
      if (label->text() == text) return label->buddy();
    return nullptr;
  };
  EXPECT_EQ(buddyOf(tab("TabRadio"), "Callsign:"), &control("Callsign"));
  EXPECT_EQ(buddyOf(tab("TabRadio"), "Consecutive packets send:"), &control("Consecutive_packets"));
  EXPECT_EQ(buddyOf(tab("PageAnalogChannels"), "Analog 3:"), &control("Teleanalog3_name"));
  EXPECT_EQ(buddyOf(tab("PageSorbexOutputs"), "Output 2 default state:"), &control("Sorbex_output2"));
  EXPECT_EQ(buddyOf(tab("TabDigipeater"), "General rule:"), &control("Callfilter_rule"));
  for (QLabel* label : form.findChild<QTabWidget*>("PageControl1")->findChildren<QLabel*>())
    if (!label->wordWrap()) {
      EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
  EXPECT_EQ(control("Beacon3_path_ssid").accessibleName(), "Beacon 3 Path SSID");
  EXPECT_EQ(control("Teleanalog2_coefa").accessibleName(), "Analog 2 Coeff A");
}

TEST_F(TabContents, TabKeyWalksEachTabInTheOrderOfItsRows) {
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  using families::kAnalogChannels, families::kBeacons, families::kDigitalChannels, families::kFilterEntries,
      families::kPathRules, families::kSorbexOutputs;

  const Names radio = {
      "Callsign", "Ssid",    "Latitude",   "Longitude",          "Txdelay", "Quiettime", "Quiettime_randomize",
      "Ptt",      "Squelch", "Busydetect", "Consecutive_packets"};
  EXPECT_EQ(walk(radio), radio);

  Names digipeater = {"Digion", "Floodtimeout"};
  for (int n : kPathRules.numbers())
    for (const char* part : {"_name", "_lower", "_higher", "_traceable", "_active"})
      digipeater.push_back(kPathRules.name(n, part));
  digipeater.push_back("Callfilter_rule");
  for (int n : kFilterEntries.numbers())
    for (const char* part : {"callsign", "ssid"}) digipeater.push_back(kFilterEntries.name(n, part));
  EXPECT_EQ(walk(digipeater), digipeater);

  Names beacons;
  for (int n : kBeacons.numbers())
    for (const char* part : {"_dest_string", "_dest_ssid", "_path_string", "_path_ssid", "_txrate_rf", "_msg"})
      beacons.push_back(kBeacons.name(n, part));
  beacons.push_back("Button11");
  EXPECT_EQ(walk(beacons), beacons);

  const Names weather = {"Weather_stationtype", "Weather_dest_string", "Weather_dest_ssid", "Weather_path_string",
                         "Weather_path_ssid",   "Weather_txrate_rf",   "Weather_comment"};
  EXPECT_EQ(walk(weather), weather);

  form.settings().setFlag("Uploadpctime", false);  // the clock fields take focus only when editable
  const Names clock = {"Uploadpctime", "Rtcyear", "Rtcmonth", "Rtcday", "Rtchour", "Rtcmin"};
  EXPECT_EQ(walk(clock), clock);

  Names report;
  for (const char* prefix : {"Teleparams", "Teledata"})
    for (const char* part : {"_dest_string", "_dest_ssid", "_path_string", "_path_ssid", "_txrate_rf"})
      report.push_back(prefix + std::string(part));
  for (const char* name : {"Teletitle", "Tele_holdoff", "Tele_enable", "Telemodule_enable", "Bitsmodule_enable"})
    report.push_back(name);
  EXPECT_EQ(walk(report), report);

  Names analog;
  for (int n : kAnalogChannels.numbers()) {
    for (const char* part : {"_name", "_units", "_source", "_coefa", "_coefb", "_coefc", "_average"})
      analog.push_back(kAnalogChannels.name(n, part));
    analog.push_back("Button" + std::to_string(5 + n));
  }
  EXPECT_EQ(walk(analog), analog);

  for (int first : {1, 5}) {
    Names digital;
    for (int n = first; n < first + 4; ++n) {
      for (const char* part : {"_name", "_units", "_source", "_inverted"})
        digital.push_back(kDigitalChannels.name(n, part));
      digital.push_back("Button" + std::to_string(12 + n));
    }
    EXPECT_EQ(walk(digital), digital);
  }

  Names outputs;
  for (int n : kSorbexOutputs.numbers()) outputs.push_back(kSorbexOutputs.name(n, "output"));
  EXPECT_EQ(walk(outputs), outputs);

  const Names ports = {"Serial1_mode", "Serial2_mode", "RS485_mode"};
  EXPECT_EQ(walk(ports), ports);
}

}  // namespace
}  // namespace tarnvik
