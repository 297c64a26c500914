#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "FileTestSupport.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "core/OperationError.h"
#include "settings/DeviceSettings.h"
#include "settings/NumberText.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using test::kSeparator;

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

bool HasLine(const std::string& content, const std::string& line) {
  return ("\r\n" + content).find("\r\n" + line + "\r\n") != std::string::npos;
}

// Every line ends in CR LF and holds no other line break.
std::vector<std::string> CrLfLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(content.substr(start, end - start));
  EXPECT_EQ(start, content.size()) << "text after the last CR LF";
  for (const auto& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
  return lines;
}

TEST(ConfigFileKeys, CoverEverySettingButTheClockOnceWithItsKind) {
  std::set<std::string> settings;
  int integers = 0;
  for (const FileKey& key : ConfigFileKeys()) {
    if (key.kind == FileValueKind::Identity) continue;
    EXPECT_TRUE(settings.insert(key.setting).second) << key.setting;
    const SettingKind kind = DeviceSettings::definition(key.setting).kind;
    const bool textual = key.kind == FileValueKind::Text || key.kind == FileValueKind::Integer;
    EXPECT_EQ(kind, textual                             ? SettingKind::Text
                    : key.kind == FileValueKind::Choice ? SettingKind::Choice
                                                        : SettingKind::Flag)
        << key.key;
    integers += key.kind == FileValueKind::Integer;
    if (key.kind != FileValueKind::Text) {
      EXPECT_TRUE(ParseFileInteger(key.value)) << key.key;
    }
  }
  EXPECT_EQ(settings.size() + 5, SettingsTable().size());
  for (const char* field : kClockFields) EXPECT_EQ(settings.count(field), 0u);
  EXPECT_EQ(integers, 15);
}

TEST(SaveConfigFile, NewFileHasTheEightSectionsInOrderWithIdentityFirst) {
  TempFolder dir;
  SaveConfigFile(test::FreshSettings(), dir.path("new.cfg"));
  const auto lines = CrLfLines(ReadAll(dir.path("new.cfg")));
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(
      std::vector<std::string>(lines.begin(), lines.begin() + 6),
      (std::vector<std::string>{"[!WARNING]",
                                "WARNING=Please do not try to modify this file. It should be managed with "
                                "Tarnvik configurator program.",
                                "Application=Tarnvik Configurator", "Version=v1.04", "[Radio]", "Callsign=NOCALL"}));
  std::vector<std::pair<std::string, int>> sections;
  for (const auto& line : lines) {
    if (line.starts_with('[')) {
      sections.emplace_back(line, 0);
    } else {
      ++sections.back().second;
    }
    EXPECT_FALSE(line.empty());
    EXPECT_FALSE(line.starts_with("Rtc")) << line;
  }
  EXPECT_EQ(sections, (std::vector<std::pair<std::string, int>>{{"[!WARNING]", 3},
                                                                {"[Radio]", 11},
                                                                {"[Digipeater]", 63},
                                                                {"[Beacons]", 48},
                                                                {"[Weather]", 7},
                                                                {"[RTC]", 1},
                                                                {"[Telemetry]", 86},
                                                                {"[SerialPorts]", 3}}));
  for (const char* line : {"SSID=0", "TXdelay=250", "PTT=0", "Tele_title=Telemetry test", "Teledigital3_label=On",
                           "Serial1=2", "Serial2=1", "RS485=1", "Uploadpctime=1"})
    EXPECT_TRUE(HasLine(ReadAll(dir.path("new.cfg")), line)) << line;
}

TEST(SaveConfigFile, WritesEachKindInItsValueForm) {
  DeviceSettings s = test::FreshSettings();
  const std::pair<const char*, const char*> numbers[] = {
      {"Txdelay", "0250"},         {"Quiettime", " 7"},         {"Floodtimeout", "0x1F"},     {"Tele_holdoff", "$1F"},
      {"Beacon2_txrate_rf", "-5"}, {"Beacon3_txrate_rf", "+5"}, {"Weather_txrate_rf", "0X10"}};
  for (const auto& [name, text] : numbers) s.setText(name, text);
  s.setChoice("Squelch", -1);
  s.setChoice("Busydetect", 1);
  s.setFlag("Pathn1_active", false);
  s.setFlag("Pathn3_active", true);
  s.setText("Callsign", " AB1 ");
  TempFolder dir;
  SaveConfigFile(s, dir.path("v.cfg"));
  const std::string content = ReadAll(dir.path("v.cfg"));
  for (const char* line :
       {"TXdelay=250", "Quiettime=7", "Floodtimeout=31", "Tele_holdoff=31", "Beacon2_txrate_rf=-5",
        "Beacon3_txrate_rf=5", "Weather_txrate_rf=16", "Squelch=-1", "PTT=0", "Busydetect=1", "Pathn1_active=0",
        "Pathn3_active=1", "Callsign= AB1 ", "Beacon1_msg=@<date>z<lat>/<long>-Tarnvik U=<volt>V."})
    EXPECT_TRUE(HasLine(content, line)) << line;
}

// The text that tells what a file would give back is what Save writes to a
// new file, byte for byte, and what it cannot keep is lost in reading it.
TEST(ConfigFileText, IsWhatSaveWritesToANewFile) {
  DeviceSettings s = test::FreshSettings();
  s.setText("Beacon1_msg", " two\nlines ");
  s.setText("Txdelay", "0x20");
  TempFolder dir;
  SaveConfigFile(s, dir.path("new.cfg"));
  const std::string text = ConfigFileText(s);
  EXPECT_EQ(text, ReadAll(dir.path("new.cfg")));
  DeviceSettings back = test::FreshSettings();
  test::RecordingOperator op;
  ASSERT_TRUE(LoadConfigText(back, text, op));
  EXPECT_EQ(back.text("Beacon1_msg"), "two lines");
  EXPECT_EQ(back.text("Txdelay"), "32");
  s.setText("Quiettime", "x");
  EXPECT_THROW(ConfigFileText(s), ConversionError);
}

// A save's text holds its own settings' values only, whatever was saved before,
// a save stopped half-way by a bad number included: the same as the first save
// of the process. The first saves run on a thread of their own, which must end
// cleanly (under Wine a writer kept per thread crashed it at its end).
TEST(ConfigFileText, HoldsOnlyItsOwnValuesAfterEarlierSavesOnAnyThread) {
  DeviceSettings earlier = test::FreshSettings();
  earlier.setText("Beacon1_msg", std::string(300, 'e'));
  earlier.setText("Callsign", "EARLIER-CALLSIGN");
  DeviceSettings stopped = earlier;
  stopped.setText("Beacon1_msg", std::string(40, 's'));
  stopped.setText("Teledata_txrate_rf", "12a");  // the last integer key: the keys before it are set
  DeviceSettings s = test::FreshSettings();
  s.setText("Beacon1_msg", "mine");
  const std::string existing = "[Radio]\r\nCallsign=OLD\r\n";
  std::string firstNew, firstMerged;
  std::thread([&] {
    firstNew = ConfigFileText(s);
    firstMerged = ConfigFileText(s, existing);
  }).join();
  ASSERT_TRUE(HasLine(firstNew, "Beacon1_msg=mine"));
  (void)ConfigFileText(earlier);
  EXPECT_THROW(ConfigFileText(stopped), ConversionError);
  EXPECT_EQ(ConfigFileText(s), firstNew);
  (void)ConfigFileText(earlier, existing);
  EXPECT_EQ(ConfigFileText(s, existing), firstMerged);
}

// Every number is converted before the disk is touched: the first bad one
// stops the save with its message, and neither a new nor an old file changes.
TEST(SaveConfigFile, ANumberFieldThatIsNoNumberStopsTheSaveBeforeAnyWrite) {
  TempFolder dir;
  WriteAll(dir.path("old.cfg"), "[Radio]\r\nCallsign=OLD\r\n");
  for (const auto& [text, message] :
       {std::pair{"", "'' is not a valid integer value."}, std::pair{"12a", "'12a' is not a valid integer value."}}) {
    DeviceSettings s = test::FreshSettings();
    s.setText("Teledata_txrate_rf", text);  // the last integer key: every other key comes first
    test::RecordingOperator op;
    EXPECT_FALSE(RunGuarded(op, [&] { SaveConfigFile(s, dir.path("new.cfg")); }));
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, message);
    EXPECT_EQ(op.boxes[0].kind, test::Box::Kind::Error);
    EXPECT_THROW(SaveConfigFile(s, dir.path("old.cfg")), ConversionError);
    EXPECT_EQ(ReadAll(dir.path("old.cfg")), "[Radio]\r\nCallsign=OLD\r\n");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"old.cfg"});
  }
}

// Lines that others added stay; saving again gives the same bytes.
TEST(SaveConfigFile, KeepsForeignLinesAndIsStableWhenRepeated) {
  TempFolder dir;
  WriteAll(dir.path("f.cfg"), "; notes\r\n[Radio]\r\nCallsign=OLD\r\nMyKey=keep me\r\n\r\n[Foreign]\nx=1\n");
  DeviceSettings s = test::FreshSettings();
  SaveConfigFile(s, dir.path("f.cfg"));
  const std::string first = ReadAll(dir.path("f.cfg"));
  EXPECT_TRUE(first.starts_with("; notes\r\n[Radio]\r\nCallsign=NOCALL\r\nMyKey=keep me\r\nSSID=0\r\n"));
  EXPECT_NE(first.find("Longitude=01653.63E\r\n\r\n[Foreign]\nx=1\n[!WARNING]\r\n"), std::string::npos);
  SaveConfigFile(s, dir.path("f.cfg"));
  EXPECT_EQ(ReadAll(dir.path("f.cfg")), first);
  SaveConfigFile(s, dir.path("n.cfg"));
  const std::string fresh = ReadAll(dir.path("n.cfg"));
  SaveConfigFile(s, dir.path("n.cfg"));
  EXPECT_EQ(ReadAll(dir.path("n.cfg")), fresh);
}

// A save over a file that an editor saved as Unicode keeps its byte-order
// mark and encoding, so that the editor reads it as before: the lines the
// save keeps come back byte for byte (characters beyond the unit's set and a
// lone surrogate too), the lines it writes are in the file's encoding, and an
// odd last byte of UTF-16 text stays last.
TEST(SaveConfigFile, KeepsTheEncodingAndTheOtherLinesOfAUnicodeFile) {
  const std::u16string kept = u"; \u914D\u7F6E \xD800\U0001F600\r\n[Telemetry]\r\n";
  const std::u8string kept8 = u8"; \u914D\u7F6E \U0001F600\r\n[Telemetry]\r\n";
  const std::u16string written = u"teleanalog5_NAME=Temp \u00F6\r\n";
  const struct {
    const char* what;
    std::string before, start, written, end;  // the file; how the save starts, a line it writes, how it ends
  } cases[] = {
      {"UTF-8", test::Utf8File(kept8 + u8"teleanalog5_NAME=Temp \u00E4\r\n"), test::Utf8File(kept8),
       test::Utf8File(u8"teleanalog5_NAME=Temp \u00F6\r\n").substr(3), ""},
      {"UTF-16, low byte first, odd last byte", test::Utf16File(kept + u"teleanalog5_NAME=Temp \u00E4\r\n", true) + "y",
       test::Utf16File(kept, true), test::Utf16File(written, true).substr(2), "y"},
      {"UTF-16, high byte first, no last line end", test::Utf16File(kept + u"teleanalog5_NAME=Temp \u00E4", false),
       test::Utf16File(kept, false), test::Utf16File(written, false).substr(2), ""},
  };
  DeviceSettings s = test::FreshSettings();
  s.setText("Teleanalog5_name", "Temp \xF6");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    WriteAll(dir.path("u.cfg"), c.before);
    SaveConfigFile(s, dir.path("u.cfg"));
    const std::string saved = ReadAll(dir.path("u.cfg"));
    EXPECT_TRUE(saved.starts_with(c.start));
    EXPECT_NE(saved.find(c.written), std::string::npos);
    EXPECT_TRUE(saved.ends_with(c.end));
    DeviceSettings back = test::FreshSettings();
    test::RecordingOperator op;
    EXPECT_TRUE(LoadConfigFile(back, dir.path("u.cfg"), op));
    EXPECT_EQ(back.text("Teleanalog5_name"), "Temp \xF6");
    SaveConfigFile(s, dir.path("u.cfg"));
    EXPECT_EQ(ReadAll(dir.path("u.cfg")), saved);
  }
}

// The dialogs open in the config folder beside the program; a folder given
// with a final '/' (as Qt gives them on every system) keeps it.
TEST(ConfigFolder, IsTheConfigFolderBesideTheProgram) {
  EXPECT_EQ(ConfigFolder("/opt/tarnvik"), std::string("/opt/tarnvik") + kSeparator + "config" + kSeparator);
  EXPECT_EQ(ConfigFolder("/opt/tarnvik/"), std::string("/opt/tarnvik/config") + kSeparator);
}

}  // namespace
}  // namespace tarnvik
