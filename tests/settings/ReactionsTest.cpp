#include <gtest/gtest.h>

#include "settings/DeviceSettings.h"
#include "settings/Reactions.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

class PortRule : public ::testing::Test {
 protected:
  DeviceSettings s = test::FreshSettings();

  // As the operator does: pick an entry, then its reaction runs.
  void pickStation(int station) {
    s.setChoice("Weather_stationtype", station);
    Weather_stationtypeChange(s);
  }
  void pickPort1(int role) {
    s.setChoice("Serial1_mode", role);
    Serial1_modeChange(s);
  }
  void pickPort2(int role) {
    s.setChoice("Serial2_mode", role);
    Serial2_modeChange(s);
  }
};

TEST_F(PortRule, Ws2300LocksTheOtherPortToNegativeVoltage) {
  pickStation(5);
  EXPECT_EQ(s.choice("Serial1_mode"), 3);
  EXPECT_FALSE(s.enabled("Serial1_mode"));
  EXPECT_EQ(s.choice("Serial2_mode"), 1);
  EXPECT_TRUE(s.enabled("Serial2_mode"));

  pickStation(7);  // Davis Vantage Pro: unlocked, value stays
  EXPECT_TRUE(s.enabled("Serial1_mode"));
  EXPECT_EQ(s.choice("Serial1_mode"), 3);
}

TEST_F(PortRule, Ws2350CountsAsWs23xxToo) {
  pickStation(6);
  EXPECT_EQ(s.choice("Serial1_mode"), 3);
  EXPECT_FALSE(s.enabled("Serial1_mode"));
}

TEST_F(PortRule, WeatherStationMovesToThePortPickedLast) {
  pickPort1(1);
  EXPECT_EQ(s.choice("Serial1_mode"), 1);
  EXPECT_EQ(s.choice("Serial2_mode"), 0);
  EXPECT_TRUE(s.enabled("Serial2_mode"));
}

TEST_F(PortRule, WeatherStationWithWs23xxLocksThePortLeftBehind) {
  s.setChoice("Weather_stationtype", 5);  // by program: no reaction yet
  pickPort1(1);
  EXPECT_EQ(s.choice("Serial2_mode"), 3);
  EXPECT_FALSE(s.enabled("Serial2_mode"));
  EXPECT_TRUE(s.enabled("Serial1_mode"));
}

TEST_F(PortRule, OnlyOnePortKeepsTheConsole) {
  pickPort2(2);  // port 1 is already the console: port 1 gives it up
  EXPECT_EQ(s.choice("Serial1_mode"), 0);
  EXPECT_EQ(s.choice("Serial2_mode"), 2);

  pickPort1(2);
  EXPECT_EQ(s.choice("Serial1_mode"), 2);
  EXPECT_EQ(s.choice("Serial2_mode"), 0);
}

TEST_F(PortRule, LeavingTheWeatherStationUnlocksButKeepsNegativeVoltage) {
  pickStation(5);
  pickPort1(1);  // port 1 now carries the WS-2300, port 2 locked at 3
  ASSERT_FALSE(s.enabled("Serial2_mode"));
  ASSERT_EQ(s.choice("Serial2_mode"), 3);
  pickPort1(0);
  EXPECT_TRUE(s.enabled("Serial2_mode"));
  EXPECT_EQ(s.choice("Serial2_mode"), 3);
}

TEST_F(PortRule, NeverChangesItsOwnPort) {
  s.setEnabled("Serial1_mode", false);
  pickPort1(3);
  EXPECT_FALSE(s.enabled("Serial1_mode"));
  EXPECT_EQ(s.choice("Serial1_mode"), 3);
  EXPECT_EQ(s.choice("Serial2_mode"), 1);
}

TEST(ClockRule, UploadpctimeLocksAndUnlocksTheClockFieldsKeepingTheirTexts) {
  DeviceSettings s = test::FreshSettings();
  s.setText("Rtcday", "31");
  s.setFlag("Uploadpctime", false);
  for (const char* field : kClockFields) EXPECT_TRUE(s.enabled(field)) << field;
  EXPECT_EQ(s.text("Rtcday"), "31");
  s.setFlag("Uploadpctime", true);
  for (const char* field : kClockFields) EXPECT_FALSE(s.enabled(field)) << field;
  EXPECT_EQ(s.text("Rtcday"), "31");
  EXPECT_EQ(s.text("Rtchour"), "9");
}

TEST(ClockRule, SettingTheSameStateRunsNothing) {
  DeviceSettings s = test::FreshSettings();
  s.setEnabled("Rtcyear", true);    // out of step on purpose
  s.setFlag("Uploadpctime", true);  // no change of state: no reaction
  EXPECT_TRUE(s.enabled("Rtcyear"));
}

}  // namespace
}  // namespace tarnvik

namespace tarnvik {
namespace {

// Writers that set settings by program run only the serial port rules; the
// station's rule waits for the operator, the clock rule runs on its own.
TEST(ProgramWriters, RunOnlyThePortRulesAfterSetting) {
  DeviceSettings s = test::FreshSettings();
  s.setChoice("Weather_stationtype", 5);
  RunAfterProgramSet(s, "Weather_stationtype");
  EXPECT_EQ(s.choice("Serial1_mode"), 2);  // untouched until a port rule runs
  RunAfterProgramSet(s, "Serial2_mode");   // port 2 carries the WS-2300
  EXPECT_EQ(s.choice("Serial1_mode"), 3);
  EXPECT_FALSE(s.enabled("Serial1_mode"));

  RunAfterProgramSet(s, "Callsign");  // no reaction at all
  ASSERT_NE(FindReaction("Weather_stationtype"), nullptr);
  EXPECT_EQ(FindReaction("Weather_stationtype")->handler, "Weather_stationtypeChange");
  EXPECT_EQ(FindReaction("Ptt"), nullptr);

  // What a writer that looks the reaction up once gets to run.
  const struct {
    const char* setting;
    Reaction reaction;
  } once[] = {{"Serial1_mode", Serial1_modeChange},
              {"Serial2_mode", Serial2_modeChange},
              {"Weather_stationtype", nullptr},
              {"Uploadpctime", nullptr},
              {"Callsign", nullptr},
              {"", nullptr}};
  for (const auto& c : once) EXPECT_EQ(AfterProgramSetReaction(c.setting), c.reaction) << c.setting;
}

}  // namespace
}  // namespace tarnvik
