#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <set>
#include <stdexcept>

#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

TEST(SettingsTable, HoldsEverySettingOnceWithTheSharedLists) {
  const auto& table = SettingsTable();
  EXPECT_EQ(table.size(), 224u);
  std::set<std::string> names;
  int texts = 0, choices = 0, flags = 0;
  for (const auto& setting : table) {
    EXPECT_TRUE(names.insert(setting.name).second) << setting.name;
    texts += setting.kind == SettingKind::Text;
    choices += setting.kind == SettingKind::Choice;
    flags += setting.kind == SettingKind::Flag;
    EXPECT_EQ(setting.kind == SettingKind::Choice, setting.choices != nullptr) << setting.name;
  }
  EXPECT_EQ(flags, 9);  // eight path rules and the PC time box
  EXPECT_EQ(choices, 52);
  EXPECT_EQ(texts, 163);
  EXPECT_EQ(DeviceSettings::definition("Teleanalog3_source").choices->size(), 18u);
  EXPECT_EQ(DeviceSettings::definition("Teledigital6_source").choices->size(), 9u);
  EXPECT_EQ(DeviceSettings::definition("Weather_stationtype").choices->size(), 11u);
  EXPECT_EQ(DeviceSettings::definition("Squelch").choices->at(9), "10 (highest)");
}

TEST(SettingsTable, TypingLimitsShrinkWithTheTelemetryChannel) {
  const int analog[] = {7, 7, 6, 6, 5};
  const int digital[] = {6, 5, 4, 4, 4, 3, 3, 3};
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(DeviceSettings::definition("Teleanalog" + std::to_string(n) + "_name").maxLength, analog[n - 1]);
    EXPECT_EQ(DeviceSettings::definition("Teleanalog" + std::to_string(n) + "_units").maxLength, analog[n - 1]);
    EXPECT_EQ(DeviceSettings::definition("Teleanalog" + std::to_string(n) + "_coefb").maxLength, 8);
  }
  for (int n = 1; n <= 8; ++n)
    EXPECT_EQ(DeviceSettings::definition("Teledigital" + std::to_string(n) + "_units").maxLength, digital[n - 1]);
  EXPECT_EQ(DeviceSettings::definition("Beacon7_msg").maxLength, 64);
  EXPECT_EQ(DeviceSettings::definition("Weather_txrate_rf").maxLength, 3);
  EXPECT_EQ(DeviceSettings::definition("Beacon7_txrate_rf").maxLength, 4);
  EXPECT_EQ(DeviceSettings::definition("Rtcyear").maxLength, 4);
}

TEST(StartUp, RadioDigipeaterAndBeaconValues) {
  const DeviceSettings s = test::FreshSettings();
  EXPECT_EQ(s.text("Callsign"), "NOCALL");
  EXPECT_EQ(s.text("Latitude"), "5221.60N");
  EXPECT_EQ(s.text("Longitude"), "01653.63E");
  EXPECT_EQ(s.choice("Quiettime_randomize"), 4);
  EXPECT_EQ(s.choice("Squelch"), 0);
  EXPECT_EQ(s.choice("Digion"), 1);
  EXPECT_EQ(s.text("Pathn1_name"), "WIDE");
  EXPECT_EQ(s.text("Pathn2_name"), "SP");
  EXPECT_EQ(s.text("Pathn5_name"), "");
  EXPECT_EQ(s.choice("Pathn1_traceable"), 1);
  EXPECT_EQ(s.choice("Pathn2_traceable"), 0);
  EXPECT_TRUE(s.flag("Pathn2_active"));
  EXPECT_FALSE(s.flag("Pathn3_active"));
  EXPECT_EQ(s.text("Callfilter_ssid10"), "*");
  EXPECT_EQ(s.text("Beacon1_txrate_rf"), "5");
  EXPECT_EQ(s.text("Beacon8_txrate_rf"), "0");
  EXPECT_EQ(s.text("Beacon1_msg"), "@<date>z<lat>/<long>-Tarnvik U=<volt>V.");
  EXPECT_EQ(s.text("Beacon2_msg"), "");
  EXPECT_EQ(s.text("Weather_comment"), "Ostrel weather");
  EXPECT_EQ(s.text("Tele_holdoff"), "60");
  EXPECT_EQ(s.choice("Sorbex_output4"), 0);
}

TEST(StartUp, TelemetryChannelsComeFromThePresets) {
  const DeviceSettings s = test::FreshSettings();
  const struct {
    int source;
    const char *name, *units, *b;
  } analog[] = {{11, "Vin", "Volt", "0.075"},
                {12, "Rx1h", "Pkt", "10"},
                {14, "Dg1h", "Pkt", "10"},
                {17, "Eff1h", "Pcnt", "1"},
                {0, "A5", "None", "0"}};
  for (int n = 1; n <= 5; ++n) {
    const auto& row = analog[n - 1];
    EXPECT_EQ(s.choice("Teleanalog" + std::to_string(n) + "_source"), row.source);
    EXPECT_EQ(s.text("Teleanalog" + std::to_string(n) + "_name"), row.name);
    EXPECT_EQ(s.text("Teleanalog" + std::to_string(n) + "_units"), row.units);
    EXPECT_EQ(s.text("Teleanalog" + std::to_string(n) + "_coefa"), "0");
    EXPECT_EQ(s.text("Teleanalog" + std::to_string(n) + "_coefb"), row.b);
    EXPECT_EQ(s.text("Teleanalog" + std::to_string(n) + "_coefc"), "0");
    EXPECT_EQ(s.choice("Teleanalog" + std::to_string(n) + "_average"), 0);
  }
  EXPECT_EQ(s.choice("Teledigital8_source"), 8);
  EXPECT_EQ(s.text("Teledigital8_name"), "I4");
  EXPECT_EQ(s.text("Teledigital8_units"), "Hi");
  EXPECT_EQ(s.text("Teledigital3_name"), "O3");
  EXPECT_EQ(s.text("Teledigital3_units"), "On");
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(s.choice("Teledigital" + std::to_string(n) + "_inverted"), 0);
}

TEST(StartUp, SerialPortsEndEnabledWithTheirRoles) {
  const DeviceSettings s = test::FreshSettings();
  EXPECT_EQ(s.choice("Serial1_mode"), 2);
  EXPECT_EQ(s.choice("Serial2_mode"), 1);
  EXPECT_EQ(s.choice("RS485_mode"), 1);
  EXPECT_EQ(s.choice("Weather_stationtype"), 0);
  EXPECT_TRUE(s.enabled("Serial1_mode"));
  EXPECT_TRUE(s.enabled("Serial2_mode"));
}

TEST(StartUp, ClockShowsUtcOfAPcTwoHoursAheadAndIsLocked) {
  test::ScopedTimeZone zone("XST-2");  // local time = UTC + 2 hours
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 6;
  local.tm_mday = 3;
  local.tm_hour = 11;
  local.tm_min = 5;
  local.tm_sec = 42;
  local.tm_isdst = -1;
  const std::time_t now = std::mktime(&local);
  const DeviceSettings s([now] { return now; });
  EXPECT_EQ(s.text("Rtcyear"), "2026");
  EXPECT_EQ(s.text("Rtcmonth"), "7");
  EXPECT_EQ(s.text("Rtcday"), "3");
  EXPECT_EQ(s.text("Rtchour"), "9");
  EXPECT_EQ(s.text("Rtcmin"), "5");
  EXPECT_TRUE(s.flag("Uploadpctime"));
  for (const char* field : kClockFields) EXPECT_FALSE(s.enabled(field)) << field;
}

TEST(StartUp, ClockCrossesMidnightAndYearIntoUtc) {
  test::ScopedTimeZone zone("XST-2");
  std::tm local{};
  local.tm_year = 2027 - 1900;
  local.tm_mon = 0;
  local.tm_mday = 1;
  local.tm_hour = 1;
  local.tm_min = 0;
  local.tm_isdst = -1;
  const std::time_t now = std::mktime(&local);
  DeviceSettings s;
  CopyPcClock(s, [now] { return now; });
  EXPECT_EQ(s.text("Rtcyear"), "2026");
  EXPECT_EQ(s.text("Rtcmonth"), "12");
  EXPECT_EQ(s.text("Rtcday"), "31");
  EXPECT_EQ(s.text("Rtchour"), "23");
  EXPECT_EQ(s.text("Rtcmin"), "0");
}

// Start-up values are made once and copied: what an earlier record changed,
// or which time its clock gave, never shows in a later one. Equal records are
// those whose every value and enabled state are alike.
TEST(StartUp, EachRecordStartsAloneAndComparesWhole) {
  const auto clockAt = [](std::time_t t) { return [t] { return t; }; };
  DeviceSettings first(clockAt(1783069500));
  const DeviceSettings untouched(clockAt(1783069500));
  EXPECT_TRUE(first == untouched);
  first.setText("Callsign", "CHANGED");
  first.setChoice("Serial1_mode", 0);
  first.setFlag("Uploadpctime", false);
  const DeviceSettings later(clockAt(1783069500)), otherTime(clockAt(1783069500 + 86400 + 3600 + 60));
  EXPECT_TRUE(later == untouched);
  EXPECT_FALSE(first == later);
  EXPECT_FALSE(otherTime == later);
  DeviceSettings sameTime = otherTime;
  for (const char* field : kClockFields) sameTime.setText(field, later.text(field));
  EXPECT_TRUE(sameTime == later);  // only the clock fields differed
  sameTime.setEnabled("Callsign", false);
  EXPECT_FALSE(sameTime == later);  // an enabled state counts
}

TEST(Access, UnknownNamesAndWrongKindsAreProgrammingErrors) {
  DeviceSettings s = test::FreshSettings();
  EXPECT_THROW(s.text("Callsig"), std::logic_error);
  EXPECT_THROW(s.setText("callsign", "X"), std::logic_error);  // names are exact
  EXPECT_THROW(s.choice("Callsign"), std::logic_error);
  EXPECT_THROW(s.setFlag("Digion", true), std::logic_error);
  EXPECT_THROW(s.setChoice("Uploadpctime", 0), std::logic_error);
  EXPECT_THROW(s.enabled("Nothing"), std::logic_error);
  EXPECT_EQ(s.text("Callsign"), "NOCALL");
  // By index the same: the kind is checked, and an index past the table is no setting.
  const std::size_t callsign = DeviceSettings::indexOf("Callsign"), digion = DeviceSettings::indexOf("Digion");
  EXPECT_THROW(s.choiceAt(callsign), std::logic_error);
  EXPECT_THROW(s.setFlagAt(callsign, true), std::logic_error);
  EXPECT_THROW(s.setTextAt(digion, "1"), std::logic_error);
  EXPECT_THROW(s.textAt(SettingsTable().size()), std::logic_error);
  EXPECT_EQ(&s.textAt(callsign), &s.text("Callsign"));
}

// Every name finds its own setting; names that differ from one by a byte,
// a case or a length find none.
TEST(Access, EveryNameFindsItsOwnSetting) {
  const auto& table = SettingsTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::string& name = table[i].name;
    EXPECT_EQ(DeviceSettings::indexOf(name), i) << name;
    for (const std::string& other : {name + "x", name.substr(0, name.size() - 1), std::string(1, '\0') + name})
      EXPECT_EQ(DeviceSettings::has(other),
                std::any_of(table.begin(), table.end(), [&](const auto& d) { return d.name == other; }))
          << other;
  }
  EXPECT_FALSE(DeviceSettings::has(""));
}

TEST(Access, TextsAreStoredWholeAsBytes) {
  DeviceSettings s = test::FreshSettings();
  const std::string seventy(70, 'x');
  s.setText("Beacon2_msg", seventy);
  EXPECT_EQ(s.text("Beacon2_msg"), seventy);
  const std::string latin1 = " caf\xE9\t ";
  s.setText("Weather_comment", latin1);
  EXPECT_EQ(s.text("Weather_comment"), latin1);
  // As in any text control, a text ends at a NUL byte: none reaches the image.
  s.setText("Weather_dest_string", std::string("\0APQX03", 7));
  EXPECT_EQ(s.text("Weather_dest_string"), "");
  s.setText("Callsign", std::string("AB\0CD", 5));
  EXPECT_EQ(s.text("Callsign"), "AB");
}

TEST(Access, ChoiceOutsideItsListSelectsNothing) {
  DeviceSettings s = test::FreshSettings();
  s.setChoice("Ptt", 1);
  EXPECT_EQ(s.choice("Ptt"), 1);
  s.setChoice("Ptt", 2);
  EXPECT_EQ(s.choice("Ptt"), -1);
  s.setChoice("Squelch", 9);
  EXPECT_EQ(s.choice("Squelch"), 9);
  s.setChoice("Squelch", -7);
  EXPECT_EQ(s.choice("Squelch"), -1);
}

TEST(Access, ListenerHearsEveryChangeButNotRepeats) {
  DeviceSettings s = test::FreshSettings();
  std::vector<std::string> heard;
  s.addListener([&](std::size_t i) { heard.push_back(SettingsTable()[i].name); });
  s.setText("Callsign", "SP9XYZ");
  s.setText("Callsign", "SP9XYZ");
  s.setChoice("Ptt", 1);
  s.setFlag("Uploadpctime", false);
  ASSERT_EQ(heard.size(), 8u);  // callsign, ptt, the box and its five clock fields
  EXPECT_EQ(heard[0], "Callsign");
  EXPECT_EQ(heard[1], "Ptt");
  EXPECT_EQ(heard[2], "Uploadpctime");
  EXPECT_EQ(heard[3], "Rtcyear");
}

TEST(Access, ListenersAreSeveralAndStayWithTheirRecord) {
  DeviceSettings original = test::FreshSettings();
  int first = 0, second = 0;
  original.addListener([&](std::size_t) { ++first; });
  const auto secondId = original.addListener([&](std::size_t) { ++second; });

  DeviceSettings copy = original;  // the copy's changes are not the window's
  copy.setText("Callsign", "SP9XYZ");
  EXPECT_EQ(first + second, 0);

  original.setText("Ssid", "7");
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);

  original.removeListener(secondId);
  original = copy;  // Callsign and Ssid differ from the copy: both heard
  EXPECT_EQ(first, 3);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(original.text("Callsign"), "SP9XYZ");
  EXPECT_EQ(original.text("Ssid"), "0");
}

TEST(Access, SettingASerialRoleByProgramRunsNoReaction) {
  DeviceSettings s = test::FreshSettings();
  s.setChoice("Weather_stationtype", 5);  // WS-2300, picked by program: no reaction
  s.setChoice("Serial2_mode", 1);
  EXPECT_EQ(s.choice("Serial1_mode"), 2);
  EXPECT_TRUE(s.enabled("Serial1_mode"));
}

}  // namespace
}  // namespace tarnvik
