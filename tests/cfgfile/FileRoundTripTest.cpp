// Save to file then Read from file over random settings: what comes back is
// exactly what was saved, but for the normalisations of the file format.

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "support/FileReadBack.h"
#include "support/FreshSettings.h"
#include "support/RandomSettings.h"
#include "support/RecordingOperator.h"
#include "support/SettingsDifferences.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

// Saves s to a new file and reads it into start-up settings.
DeviceSettings SavedAndRead(const DeviceSettings& s, const std::string& path) {
  std::remove(path.c_str());
  SaveConfigFile(s, path);
  DeviceSettings back = test::FreshSettings();
  test::RecordingOperator op;
  EXPECT_TRUE(LoadConfigFile(back, path, op));
  EXPECT_EQ(op.boxTexts(), std::vector<std::string>{});
  return back;
}

std::vector<std::string> Compared(const DeviceSettings& expected, const DeviceSettings& back) {
  return test::Differences(expected, back,
                           test::Compare{.clock = false, .enabled = true});  // the clock is not in the file
}

// Texts without blanks at either end, enclosing quotes or line breaks come
// back byte for byte; only the number fields that the file holds as integers
// come back in plain decimal (0250 as 250, +5 as 5).
TEST(FileRoundTrip, RandomValidSettingsComeBackExactly) {
  test::TempFolder folder(test::MemoryBackedFolder());
  std::mt19937 rng(1604);
  for (int round = 0; round < 150; ++round) {
    const DeviceSettings s = test::RandomValidSettings(rng, {.fileSafe = true});
    DeviceSettings expected = s;
    for (const FileKey& key : ConfigFileKeys())
      if (key.kind == FileValueKind::Integer)
        expected.setText(key.setting, std::to_string(std::stoll(s.text(key.setting))));
    ASSERT_EQ(Compared(expected, SavedAndRead(s, folder.path("round.cfg"))), std::vector<std::string>{})
        << "round " << round;
  }
}

// Any whole number in every form the file reader accepts.
std::string IntegerForm(std::mt19937& rng, std::int64_t value) {
  const bool negative = value < 0;
  const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-value) : static_cast<std::uint64_t>(value);
  char hex[32];
  std::snprintf(hex, sizeof hex, rng() % 2 ? "%llx" : "%llX", static_cast<unsigned long long>(magnitude));
  static const char* const kPrefixes[] = {"", "", "$", "0x", "0X", "00"};
  const std::string prefix = kPrefixes[rng() % 6];
  const std::string digits = prefix.empty() || prefix == "00" ? prefix + std::to_string(magnitude) : prefix + hex;
  const std::string sign = negative ? "-" : rng() % 3 == 0 ? "+" : "";
  return std::string(rng() % 3, ' ') + sign + digits;
}

std::string WildText(std::mt19937& rng) {
  static const std::string kEdges[] = {" ", "\t", "\"", "'", "\r", "\n", "=", "[", "]", ";"};
  const std::size_t length = rng() % 10 == 0 ? rng() % 3000 : rng() % 12;
  std::string text(length, ' ');
  for (char& c : text) c = static_cast<char>(1 + rng() % 255);
  if (rng() % 2) text = kEdges[rng() % 10] + text;
  if (rng() % 2) text += kEdges[rng() % 10];
  if (rng() % 4 == 0) text = "\"" + text + "\"";
  return text;
}

// Texts of any length with blanks, quotes, line breaks, "=", brackets and
// 8-bit characters; integers as decimal or hexadecimal with blanks, signs and
// zeros in front. The texts come back as the reading rules make them (line
// breaks as blanks, blanks at both ends and one pair of enclosing quotes
// dropped, at most 2047 characters), the integers as plain decimal.
TEST(FileRoundTrip, WildTextsAndIntegerFormsComeBackAsTheReadingRulesSay) {
  test::TempFolder folder(test::MemoryBackedFolder());
  std::mt19937 rng(2207);
  std::uniform_int_distribution<std::int64_t> integer(std::numeric_limits<std::int32_t>::min(),
                                                      std::numeric_limits<std::int32_t>::max());
  for (int round = 0; round < 100; ++round) {
    DeviceSettings s = test::RandomValidSettings(rng);
    DeviceSettings expected = s;
    for (const FileKey& key : ConfigFileKeys()) {
      if (key.kind == FileValueKind::Text) {
        s.setText(key.setting, WildText(rng));
        expected.setText(key.setting, test::AsReadBack(s.text(key.setting)));
      } else if (key.kind == FileValueKind::Integer) {
        const std::int64_t value = round % 50 == 0 ? std::numeric_limits<std::int32_t>::min() : integer(rng);
        s.setText(key.setting, IntegerForm(rng, value));
        expected.setText(key.setting, std::to_string(value));
      }
    }
    ASSERT_EQ(Compared(expected, SavedAndRead(s, folder.path("wild.cfg"))), std::vector<std::string>{})
        << "round " << round;
  }
}

}  // namespace
}  // namespace tarnvik
