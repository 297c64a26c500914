#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

#include "FileTestSupport.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/IniText.h"
#include "settings/DeviceSettings.h"
#include "settings/NumberText.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using test::kSeparator;

using test::TempFolder;
using test::WriteAll;

const std::string kNotOurs = "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.";
const std::string kOtherVersion =
    "Imported configuration file version is different than your current application version. \n"
    "Please double-check configuration fields after import. \n"
    "Some configuration fields my change between firmware versions.";
const std::string kIdentity = "[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.04\r\n";

// Every value and enabled state, for comparing whole settings records.
std::vector<std::string> Snapshot(const DeviceSettings& s) {
  std::vector<std::string> values;
  for (const SettingDefinition& setting : SettingsTable()) {
    const std::string& n = setting.name;
    const std::string value = setting.kind == SettingKind::Text     ? s.text(n)
                              : setting.kind == SettingKind::Choice ? std::to_string(s.choice(n))
                                                                    : std::to_string(s.flag(n));
    values.push_back(n + "=" + value + (s.enabled(n) ? "" : " (locked)"));
  }
  return values;
}

class ConfigFileLoad : public ::testing::Test {
 protected:
  // Loads `content` into `s`; the boxes shown end up in op.
  bool load(const std::string& content) {
    WriteAll(dir.path("in.cfg"), content);
    return tarnvik::LoadConfigFile(s, dir.path("in.cfg"), op);
  }
  TempFolder dir;
  DeviceSettings s = test::FreshSettings();
  test::RecordingOperator op;
};

TEST_F(ConfigFileLoad, RefusesFilesThatDoNotNameThisProgram) {
  const auto before = Snapshot(s);
  for (const std::string& content : {std::string(), std::string("[!WARNING]\r\nApplication=tarnvik configurator\r\n"),
                                     std::string("[Radio]\r\nApplication=Tarnvik Configurator\r\nCallsign=X\r\n"),
                                     std::string("\x00\xff[!WARNING]\x01", 12)}) {
    op.boxes.clear();
    EXPECT_FALSE(load(content));
    EXPECT_EQ(op.boxTexts(), std::vector<std::string>{kNotOurs});
    EXPECT_EQ(op.boxes[0].caption, "Information");
    EXPECT_EQ(Snapshot(s), before);
  }
  op.boxes.clear();
  EXPECT_FALSE(tarnvik::LoadConfigFile(s, dir.path("missing.cfg"), op));
  EXPECT_EQ(op.boxTexts(), std::vector<std::string>{kNotOurs});
  EXPECT_EQ(Snapshot(s), before);
}

TEST_F(ConfigFileLoad, AcceptsBlanksAndAnyCaseInNamesAndWarnsAboutOtherVersions) {
  EXPECT_TRUE(load("[!warning]\r\n  APPLICATION =  Tarnvik Configurator \r\nversion=v1.04\r\n"));
  EXPECT_TRUE(op.boxes.empty());
  EXPECT_TRUE(load("[!WARNING]\nApplication=Tarnvik Configurator\nVersion=v1.03\n[radio]\ncallSIGN=OTHER\n"));
  EXPECT_EQ(op.boxTexts(), std::vector<std::string>{kOtherVersion});
  EXPECT_EQ(s.text("Callsign"), "OTHER");
  EXPECT_TRUE(load("[!WARNING]\nApplication=Tarnvik Configurator\n"));
  EXPECT_EQ(op.boxTexts(), (std::vector<std::string>{kOtherVersion, kOtherVersion}));
  EXPECT_TRUE(op.log.empty());
}

// Only the identity: every setting takes its import default, and the port
// rules then lock serial port 1 to the negative voltage the WS-2300 on port 2
// needs. The import defaults are the start-up values but for these.
TEST_F(ConfigFileLoad, IdentityOnlyGivesTheImportDefaults) {
  s.setText("Beacon5_msg", "changed");
  s.setFlag("Pathn5_active", true);
  ASSERT_TRUE(load(kIdentity));
  EXPECT_TRUE(op.boxes.empty());

  DeviceSettings expected = test::FreshSettings();
  expected.setChoice("Quiettime_randomize", 3);
  expected.setChoice("Weather_stationtype", 5);
  for (const char* beacon : {"Beacon2", "Beacon3", "Beacon4", "Beacon5", "Beacon6", "Beacon7", "Beacon8"})
    expected.setText(std::string(beacon) + "_txrate_rf", "5");
  expected.setText("Beacon1_msg", "@<date>z<lat>/<long>-OSTREL Test.");
  expected.setText("Weather_comment", "");
  expected.setText("Tele_holdoff", "0");
  const struct {
    int source;
    const char *name, *units, *b, *c;
  } analog[] = {{1, "I1", "mA", "19.5", "0"},
                {4, "I2", "mA", "19.5", "0"},
                {7, "U1", "Volt", "0.1", "0"},
                {8, "U2", "Volt", "0.1", "0"},
                {9, "Temp", "C", "0.5", "-64"}};
  for (int n = 1; n <= 5; ++n) {
    const std::string channel = "Teleanalog" + std::to_string(n);
    expected.setChoice(channel + "_source", analog[n - 1].source);
    expected.setText(channel + "_name", analog[n - 1].name);
    expected.setText(channel + "_units", analog[n - 1].units);
    expected.setText(channel + "_coefb", analog[n - 1].b);
    expected.setText(channel + "_coefc", analog[n - 1].c);
  }
  expected.setChoice("Serial1_mode", 3);
  expected.setEnabled("Serial1_mode", false);
  EXPECT_EQ(Snapshot(s), Snapshot(expected));
}

TEST_F(ConfigFileLoad, ConvertsNumbersAndChoicesAndIgnoresKeysInOtherSections) {
  const struct {
    const char *txdelay, *expected;
  } delays[] = {{"abc", "250"}, {"", "250"}, {"0x20", "32"}, {"99999", "99999"}, {" $1F ", "31"}, {"-0", "0"}};
  for (const auto& d : delays) {
    ASSERT_TRUE(load(kIdentity + "[Radio]\r\nTXdelay=" + d.txdelay + "\r\nSquelch=10\r\nCallsign=\r\n"));
    EXPECT_EQ(s.text("Txdelay"), d.expected) << d.txdelay;
    EXPECT_EQ(s.choice("Squelch"), -1);
    EXPECT_EQ(s.text("Callsign"), "");
  }
  ASSERT_TRUE(
      load("[Digipeater]\nPathn3_active=2\nPathn4_active=yes\nCallsign=WRONG\n[Radio]\nSquelch=-1\n" + kIdentity));
  EXPECT_TRUE(s.flag("Pathn3_active"));
  EXPECT_FALSE(s.flag("Pathn4_active"));
  EXPECT_EQ(s.text("Callsign"), "NOCALL");
  EXPECT_EQ(s.choice("Squelch"), -1);
  SaveConfigFile(s, dir.path("out.cfg"));
  EXPECT_NE(test::ReadAll(dir.path("out.cfg")).find("\r\nSquelch=-1\r\n"), std::string::npos);
}

// The clock fields follow the box only when its state changes, and their
// values never change.
TEST_F(ConfigFileLoad, UploadpctimeRunsItsClickReactionOnlyOnAChange) {
  const std::string clock = s.text("Rtcyear");
  ASSERT_TRUE(load(kIdentity + "[RTC]\r\nUploadpctime=0\r\n"));
  EXPECT_FALSE(s.flag("Uploadpctime"));
  EXPECT_TRUE(s.enabled("Rtcmin"));
  ASSERT_TRUE(load(kIdentity + "[RTC]\r\nUploadpctime=1\r\n"));
  EXPECT_FALSE(s.enabled("Rtcyear"));
  s.setEnabled("Rtcday", true);  // no reaction runs when the state stays
  ASSERT_TRUE(load(kIdentity + "[RTC]\r\nUploadpctime=1\r\n"));
  EXPECT_TRUE(s.enabled("Rtcday"));
  EXPECT_EQ(s.text("Rtcyear"), clock);
}

TEST_F(ConfigFileLoad, SerialPortsPassThroughThePortRulesInOrder) {
  ASSERT_TRUE(load(kIdentity + "[Weather]\nWeather_stationtype=0\n[SerialPorts]\nSerial1=1\nSerial2=1\n"));
  EXPECT_EQ(s.choice("Serial1_mode"), 0);
  EXPECT_EQ(s.choice("Serial2_mode"), 1);
  EXPECT_TRUE(s.enabled("Serial1_mode"));
  ASSERT_TRUE(load(kIdentity + "[Weather]\nWeather_stationtype=6\n[SerialPorts]\nSerial1=1\nSerial2=1\n"));
  EXPECT_EQ(s.choice("Serial1_mode"), 3);
  EXPECT_FALSE(s.enabled("Serial1_mode"));
  EXPECT_EQ(s.choice("Serial2_mode"), 1);
}

// The station type is set without its reaction: nothing touches the ports
// until their own keys, after everything else.
TEST_F(ConfigFileLoad, StationTypeIsSetWithoutItsReaction) {
  std::vector<std::string> changes;
  s.addListener([&](std::size_t index) { changes.push_back(SettingsTable()[index].name); });
  ASSERT_TRUE(load(kIdentity + "[Weather]\nWeather_stationtype=5\n[Telemetry]\nSorbex_output4=1\n"));
  const auto station = std::find(changes.begin(), changes.end(), "Weather_stationtype");
  const auto output = std::find(changes.begin(), changes.end(), "Sorbex_output4");
  ASSERT_LT(station, output);
  EXPECT_EQ(std::count(changes.begin(), output, "Serial1_mode"), 0);
  EXPECT_GT(std::count(output, changes.end(), "Serial1_mode"), 0);
}

// A file of this program in Unicode whose [Telemetry] section holds `lines`.
std::string Utf8Telemetry(std::u8string_view lines) {
  return test::Utf8File(u8"[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.04\r\n[Telemetry]\r\n" +
                        std::u8string(lines));
}
std::string Utf16Telemetry(std::u16string_view lines, bool lowFirst) {
  return test::Utf16File(
      u"[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.04\r\n[Telemetry]\r\n" + std::u16string(lines),
      lowFirst);
}
std::string Unstorable(const std::string& key) {
  return "Imported configuration file has a character that the unit cannot store in " + key + ". \nOperation aborted.";
}

// A file with a byte-order mark is Unicode text, narrowed into the unit's
// set; one whose value holds a character the unit cannot store is refused,
// naming the first such key that the import reads. Such a character where no
// value is read (a comment, a name, beyond a NUL or the 2047 characters read)
// refuses nothing.
TEST_F(ConfigFileLoad, ReadsUnicodeFilesAndRefusesValuesTheUnitCannotStore) {
  using namespace std::literals;
  const std::string temp = Unstorable("Teleanalog5_name [Telemetry]");
  const std::u8string longest(ini::kMaxValueLength, u8'x');
  const struct {
    const char* what;
    std::string content;
    std::string value;  // Teleanalog5_name after the import
    std::string box;    // the refusal, or "" when the file is read
  } cases[] = {
      {"UTF-8", Utf8Telemetry(u8"Teleanalog5_name=Temp ä\r\n"), "Temp \xE4", ""},
      {"UTF-16, low byte first", Utf16Telemetry(u"Teleanalog5_name=Temp ä\r\n", true), "Temp \xE4", ""},
      {"UTF-16, high byte first", Utf16Telemetry(u" Teleanalog5_name = 'ÿ' \r\n", false), "\xFF", ""},
      {"UTF-16 with an odd last byte", Utf16Telemetry(u"Teleanalog5_name=x", true) + "y", "x", ""},
      {"no mark: bytes as they are", kIdentity + "[Telemetry]\nTeleanalog5_name=Temp \xC3\xA4", "Temp \xC3\xA4", ""},
      {"beyond the unit's set", Utf8Telemetry(u8"Teleanalog5_name=Temp €\r\n"), "", temp},
      {"beyond it, quoted, in UTF-16", Utf16Telemetry(u"Teleanalog5_name=\"😀\"\r\n", true), "", temp},
      {"a lone surrogate", Utf16Telemetry(u"Teleanalog5_name=\xD800\r\n", false), "", temp},
      {"a byte that is no UTF-8", Utf8Telemetry(u8"Teleanalog5_name=Temp \xE4\r\n"), "", temp},
      {"a sequence that the line end cuts short", Utf8Telemetry(u8"Teleanalog5_name=Temp \xC3\r\n"), "", temp},
      {"an overlong form", Utf8Telemetry(u8"Teleanalog5_name=\xC1\xA4\r\n"), "", temp},
      {"the first key the import reads", Utf8Telemetry(u8"Teleanalog5_name=€\r\n[Radio]\r\nCallsign=€\r\n"), "",
       Unstorable("Callsign [Radio]")},
      {"after the last \"]\" of a header", Utf8Telemetry(u8"[Radio]€\r\nCallsign=x€\r\n"), "",
       Unstorable("Callsign [Radio]")},
      {"in a comment", Utf8Telemetry(u8"; €\r\nTeleanalog5_name=x\r\n"), "x", ""},
      {"in a key's name", Utf8Telemetry(u8"Teleanalog5_name€=y\r\nTeleanalog5_name=x\r\n"), "x", ""},
      {"in a section's name", Utf8Telemetry(u8"[T€lemetry]\r\nTeleanalog5_name=€\r\n"), "Temp", ""},
      {"after a NUL", Utf8Telemetry(u8"Teleanalog5_name=x\0€\r\n"sv), "x", ""},
      {"beyond the characters read", Utf8Telemetry(u8"Teleanalog5_name=" + longest + u8"€"),
       std::string(ini::kMaxValueLength, 'x'), ""},
      {"in the program's name", test::Utf8File(u8"[!WARNING]\r\nApplication=Tarnvik Configurator€\r\n"), "", kNotOurs},
  };
  const auto fresh = Snapshot(s);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s = test::FreshSettings();
    op.boxes.clear();
    EXPECT_EQ(load(c.content), c.box.empty());
    EXPECT_EQ(op.boxTexts(), c.box.empty() ? std::vector<std::string>() : std::vector<std::string>{c.box});
    if (c.box.empty())
      EXPECT_EQ(s.text("Teleanalog5_name"), c.value);
    else
      EXPECT_EQ(Snapshot(s), fresh);
  }
}

// Save then load gives back every setting, but for what the file format
// itself normalises: numbers in plain decimal, outer blanks and quotes.
TEST(SaveAndLoad, RestoreEverySetting) {
  DeviceSettings saved = test::FreshSettings();
  int n = 0;
  for (const FileKey& key : ConfigFileKeys()) {
    ++n;
    if (key.kind == FileValueKind::Text) saved.setText(key.setting, "t" + std::to_string(n) + "=x'\"");
    if (key.kind == FileValueKind::Integer) saved.setText(key.setting, std::to_string(n * 7));
    if (key.kind == FileValueKind::Choice) {
      saved.setChoice(key.setting, n % static_cast<int>(DeviceSettings::definition(key.setting).choices->size()));
    }
    if (key.kind == FileValueKind::Flag) saved.setFlag(key.setting, n % 2 == 0);
  }
  saved.setChoice("Serial1_mode", 0);  // roles the port rules leave as they are
  saved.setChoice("Serial2_mode", 2);
  saved.setText("Txdelay", "0250");
  saved.setText("Callsign", "  padded ");
  saved.setText("Latitude", "'quoted'");
  TempFolder dir;
  SaveConfigFile(saved, dir.path("r.cfg"));
  DeviceSettings loaded(test::FixedUtcClock(2001, 2, 3, 4, 5));
  test::RecordingOperator op;
  ASSERT_TRUE(tarnvik::LoadConfigFile(loaded, dir.path("r.cfg"), op));
  saved.setText("Txdelay", "250");
  saved.setText("Callsign", "padded");
  saved.setText("Latitude", "quoted");
  for (const char* field : kClockFields) saved.setText(field, loaded.text(field));
  EXPECT_EQ(Snapshot(loaded), Snapshot(saved));
}

}  // namespace
}  // namespace tarnvik
