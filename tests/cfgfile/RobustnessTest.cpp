#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string_view>

#include "FileTestSupport.h"
#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/ProfileReader.h"
#include "cfgfile/ProfileWriter.h"
#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

// The reading rules once more, the plain way: the whole file in memory.
std::map<std::string, std::string> ReferenceRead(const std::string& content) {
  const auto trim = [](std::string t) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.back())) t.pop_back();
    return std::string(std::find_if_not(t.begin(), t.end(), blank), t.end());
  };
  std::map<std::string, std::string> found;  // "section/key", lower case
  std::set<std::string> sections;
  std::string section, line;
  bool active = false;
  for (std::size_t i = 0; i <= content.size(); ++i) {
    if (i < content.size() && content[i] != '\r' && content[i] != '\n') {
      line += content[i];
      continue;
    }
    const std::string t = trim(line);
    line.clear();
    const auto close = t.rfind(']'), equals = t.find('=');
    if (t.starts_with('[') && close != std::string::npos) {
      section = ini::LowerAscii(trim(t.substr(1, close - 1)));
      active = sections.insert(section).second;
    } else if (equals != std::string::npos && active) {
      std::string value = t.substr(equals + 1);
      value = trim(value.substr(0, value.find('\0')));
      if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
      found.emplace(section + "/" + ini::LowerAscii(trim(t.substr(0, equals))), value.substr(0, 2047));
    }
  }
  return found;
}

// Random files built from the pieces that matter to the reading rules.
std::string RandomProfile(std::mt19937& random, const std::vector<ini::KeyName>& names) {
  using namespace std::literals;
  const std::string_view pieces[] = {"["sv,  "]"sv,  "="sv,    "\""sv, "'"sv,    " "sv, "\t"sv,
                                     "\r"sv, "\n"sv, "\r\n"sv, "\0"sv, "\xff"sv, "x"sv, ";"sv};
  std::string out;
  const int parts = std::uniform_int_distribution<>(0, 120)(random);
  for (int i = 0; i < parts; ++i) {
    const auto& name = names[random() % names.size()];
    const std::string header = "[" + (random() % 2 ? name.section : ini::LowerAscii(name.section)) + "]\r\n";
    const std::string key = name.key + (random() % 2 ? "=" : " = ") + std::to_string(random() % 40) + "\n";
    switch (random() % 7) {
      case 0: out += header; break;
      case 1: out += header + key; break;
      case 2: out += key; break;
      case 3: out += "[!WARNING]\nApplication=Tarnvik Configurator\r"; break;
      case 4: out += std::string(random() % 3000, static_cast<char>(random())); break;
      default: out += pieces[random() % std::size(pieces)]; break;
    }
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n')
      lines.back() += text[i];
    else if (text[i] == '\n' || i + 1 == text.size() || text[i + 1] != '\n')
      lines.emplace_back();
  }
  return lines;
}

// The lines of `before`, but for those of keys named in `written`, stand in `after` in the same order.
bool KeepsOtherLines(const std::string& before, const std::string& after, const std::set<std::string>& written) {
  const auto out = Lines(after);
  auto at = out.begin();
  for (const std::string& line : Lines(before)) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && written.count(ini::LowerAscii(ini::TrimBlanks(line.substr(0, equals)))))
      continue;
    at = std::find(at, out.end(), line);
    if (at++ == out.end()) return false;
  }
  return true;
}

std::vector<ini::KeyName> FileKeyNames() {
  std::vector<ini::KeyName> names;
  for (const FileKey& key : ConfigFileKeys()) names.push_back({key.section, key.key});
  return names;
}

void ExpectSameSettings(const DeviceSettings& a, const DeviceSettings& b) {
  for (const SettingDefinition& setting : SettingsTable()) {
    const std::string& name = setting.name;
    switch (setting.kind) {
      case SettingKind::Text: EXPECT_EQ(a.text(name), b.text(name)) << name; break;
      case SettingKind::Choice: EXPECT_EQ(a.choice(name), b.choice(name)) << name; break;
      case SettingKind::Flag: EXPECT_EQ(a.flag(name), b.flag(name)) << name; break;
    }
  }
}

// Deterministic junk: never a crash, the same values as the plain reading,
// and the import either refuses the file or takes it, alike from the file
// and from its content in memory.
TEST(Robustness, RandomFilesReadAsThePlainRulesSayAndNeverCrashTheImport) {
  TempFolder dir;
  std::mt19937 random(20260703);
  const auto names = FileKeyNames();
  for (int round = 0; round < 60; ++round) {
    const std::string content = RandomProfile(random, names);
    WriteAll(dir.path("r.cfg"), content);
    const ini::ProfileReader file(dir.path("r.cfg"), names);
    const auto expected = ReferenceRead(content);
    for (const auto& name : names) {
      const auto want = expected.find(ini::LowerAscii(name.section) + "/" + ini::LowerAscii(name.key));
      const auto got = file.value(name.section, name.key);
      ASSERT_EQ(got, want == expected.end() ? std::nullopt : std::optional(want->second)) << round << name.key;
    }
    DeviceSettings s = test::FreshSettings();
    test::RecordingOperator op;
    const bool taken = LoadConfigFile(s, dir.path("r.cfg"), op);
    EXPECT_EQ(taken, file.value("!WARNING", "Application") == "Tarnvik Configurator");
    DeviceSettings fromText = test::FreshSettings();
    EXPECT_EQ(LoadConfigText(fromText, content, op), taken);
    ExpectSameSettings(fromText, s);
  }
}

// Parse, write some keys back, parse again: the written keys read their new
// values, all others read as before, and every line not rewritten survives in order.
TEST(Robustness, ParseWriteParseKeepsWhatWasNotWritten) {
  TempFolder dir;
  std::mt19937 random(4711);
  const auto names = FileKeyNames();
  const std::vector<ini::KeyName> pool(names.begin(), names.begin() + 40);
  for (int round = 0; round < 100; ++round) {
    const std::string before = RandomProfile(random, pool);
    WriteAll(dir.path("p.ini"), before);
    const ini::ProfileReader first(dir.path("p.ini"), pool);
    ini::ProfileWriter writer;
    std::map<std::size_t, std::string> written;
    std::set<std::string> writtenKeys;
    for (std::size_t i = 0; i < pool.size(); ++i)
      if (random() % 3 == 0) written[i] = "v=" + std::to_string(random()) + " \"x";
    for (const auto& [i, value] : written) {
      writer.write(pool[i].section, pool[i].key, value);
      writtenKeys.insert(ini::LowerAscii(pool[i].key));
    }
    writer.commit(dir.path("p.ini"));
    const std::string after = ReadAll(dir.path("p.ini"));
    const ini::ProfileReader second(dir.path("p.ini"), pool);
    for (std::size_t i = 0; i < pool.size(); ++i) {
      const auto expected = written.count(i) ? std::optional(written[i]) : first.value(pool[i].section, pool[i].key);
      ASSERT_EQ(second.value(pool[i].section, pool[i].key), expected) << round << " " << pool[i].key;
    }
    ASSERT_TRUE(KeepsOtherLines(before, after, writtenKeys)) << round;
    writer.commit(dir.path("p.ini"));
    ASSERT_EQ(ReadAll(dir.path("p.ini")), after) << round;
  }
}

}  // namespace
}  // namespace tarnvik
