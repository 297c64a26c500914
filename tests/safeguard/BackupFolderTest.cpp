// The backup folder: where it is, how backups are named, and that only the
// newest hundred stay.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "image/ImageLayout.h"
#include "image/ImageTestSupport.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "safeguard/BackupFolder.h"
#include "support/FixedClock.h"
#include "support/TestFiles.h"
#include "support/TestSystem.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

const std::time_t kJuly = FromUtc({2026, 7, 3, 9, 5});

TEST(BackupFolder, NamesTellTheTimeAndTheStationAndNothingElse) {
  const struct {
    std::time_t when;
    const char* callsign;
    const char* ssid;
    const char* stem;
  } cases[] = {
      {kJuly + 7, "OH2XYZ", "4", "2026-07-03_09-05-07Z_OH2XYZ-4"},
      {0, "", "0", "1970-01-01_00-00-00Z_-0"},
      {kJuly + 59, "../../etc", "15", "2026-07-03_09-05-59Z_______etc-15"},
      {kJuly, "OH2 X\xe4", "1a9z", "2026-07-03_09-05-00Z_OH2_X_-1a9"},
      {kJuly, "OH2XYZ", "207", "2026-07-03_09-05-00Z_OH2XYZ-207"},
      {kJuly, "ABCDEFGHIJKLMN", "", "2026-07-03_09-05-00Z_ABCDEFGHIJ-"},
      {FromUtc({2099, 12, 31, 23, 59}) + 59, "W1AW", "0", "2099-12-31_23-59-59Z_W1AW-0"},
  };
  for (const auto& c : cases) EXPECT_EQ(BackupStem(c.when, c.callsign, c.ssid), c.stem);
}

TEST(BackupFolder, ANameTakenByEitherFileIsNotUsedAgain) {
  const test::TempFolder folder;
  const BackupFolder backups(folder.path("b"));
  backups.make();
  DeviceSettings station = test::FreshSettings();
  station.setText("Callsign", "OH2XYZ");
  const ConfigImage image = test::EncodeOrFail(station);
  const std::string stem = test::InFolder(folder.path("b"), "2026-07-03_09-05-00Z_OH2XYZ-0");
  const BackupFiles first = backups.newNames(kJuly, image);
  EXPECT_EQ(first.config, stem + ".cfg");
  EXPECT_EQ(first.image, stem + ".bin");
  test::WriteAll(first.image, "x");  // an image alone takes the name too
  EXPECT_EQ(backups.newNames(kJuly, image).config, stem + "~2.cfg");
  test::WriteAll(stem + "~2.cfg", "x");
  EXPECT_EQ(backups.newNames(kJuly, image).image, stem + "~3.bin");
}

// The station's SSID byte is read as Read config reads it, whatever it holds:
// the name shows every digit of what the backup's file holds.
TEST(BackupFolder, NamesShowTheWholeSsidTheImageHolds) {
  const BackupFolder backups("b");
  DeviceSettings station = test::FreshSettings();
  station.setText("Callsign", "OH2XYZ");
  ConfigImage image = test::EncodeOrFail(station);
  const struct {
    std::uint8_t byte;
    const char* stem;
  } cases[] = {{'4', "OH2XYZ-4"}, {'0' + 15, "OH2XYZ-15"}, {255, "OH2XYZ-207"}, {0, "OH2XYZ-208"}};
  for (const auto& c : cases) {
    image.bytes[layout::kStationAddress.offset + layout::kCallsignChars] = c.byte;
    EXPECT_EQ(platform::PathOf(backups.newNames(kJuly, image).config).stem(),
              std::string("2026-07-03_09-05-00Z_") + c.stem)
        << int(c.byte);
  }
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// 95 backups a minute apart, then eleven within one second (~2 to ~11), and
// files of the operator's own: the six oldest go, then all but the five newest.
TEST(BackupFolder, OnlyTheNewestHundredStay) {
  const test::TempFolder folder;
  const BackupFolder backups(folder.root());
  std::vector<std::string> stems;
  for (int i = 0; i < 95; ++i) stems.push_back(BackupStem(kJuly + 60 * i, "OH2XYZ", "4"));
  const std::string last = BackupStem(kJuly + 60 * 95, "OH2XYZ", "4");
  stems.push_back(last);
  for (int n = 2; n <= 11; ++n) stems.push_back(last + "~" + std::to_string(n));
  for (std::size_t i = 0; i < stems.size(); ++i) {
    test::WriteAll(folder.path(stems[i] + ".bin"), "x");
    if (i % 3 != 0) test::WriteAll(folder.path(stems[i] + ".cfg"), "x");  // some backups are an image alone
  }
  const std::vector<std::string> mine = {"notes.txt", stems.front() + ".cfg.old", "2026-07-03_backup.cfg"};
  for (const std::string& name : mine) test::WriteAll(folder.path(name), "keep");
  fs::create_directory(folder.path("2026-07-03_09-05-00Z_OH2XYZ-4.bin.d"));

  backups.prune();
  const auto kept = [&](std::size_t from) {
    std::vector<std::string> names(mine.begin(), mine.end());
    names.push_back("2026-07-03_09-05-00Z_OH2XYZ-4.bin.d");
    for (std::size_t i = from; i < stems.size(); ++i) {
      names.push_back(stems[i] + ".bin");
      if (i % 3 != 0) names.push_back(stems[i] + ".cfg");
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  EXPECT_EQ(Names(folder.root()), kept(6));
  backups.prune(5);
  EXPECT_EQ(Names(folder.root()), kept(stems.size() - 5));  // ~7 to ~11
}

// The user's data folder: XDG_DATA_HOME (when absolute) or HOME on POSIX
// systems, LOCALAPPDATA or USERPROFILE on Windows, names in any language.
TEST(BackupFolder, LivesInTheUsersDataFolder) {
  struct Case {
    const char* data;
    const char* home;
    std::string folder;
  };
  const bool posix = test::OnPosix();
  const char* dataVariable = posix ? "XDG_DATA_HOME" : "LOCALAPPDATA";
  const char* homeVariable = posix ? "HOME" : "USERPROFILE";
  const std::vector<Case> cases =
      posix ? std::vector<Case>{{"/srv/data", "/home/op", "/srv/data/tarnvik-configurator/backups"},
                                {nullptr, "/home/op", "/home/op/.local/share/tarnvik-configurator/backups"},
                                {"relative/data", "/home/op", "/home/op/.local/share/tarnvik-configurator/backups"}}
            : std::vector<Case>{
                  {"D:\\\xe6\x95\xb0\xe6\x8d\xae", "C:\\Users\\op",
                   "D:\\\xe6\x95\xb0\xe6\x8d\xae\\tarnvik-configurator\\backups"},
                  {nullptr, "C:\\Users\\K\xc3\xa4ytt\xc3\xa4j\xc3\xa4",
                   "C:\\Users\\K\xc3\xa4ytt\xc3\xa4j\xc3\xa4\\AppData\\Local\\tarnvik-configurator\\backups"},
                  {"relative", "C:\\Users\\op", "C:\\Users\\op\\AppData\\Local\\tarnvik-configurator\\backups"}};
  const std::optional<std::string> savedData = platform::EnvironmentVariable(dataVariable);
  const std::optional<std::string> savedHome = platform::EnvironmentVariable(homeVariable);
  for (const Case& c : cases) {
    test::SetEnvironment(dataVariable, c.data);
    test::SetEnvironment(homeVariable, c.home);
    EXPECT_EQ(BackupFolder::DefaultPath(), c.folder) << (c.data ? c.data : "(none)");
  }
  test::SetEnvironment(dataVariable, savedData ? savedData->c_str() : nullptr);
  test::SetEnvironment(homeVariable, savedHome ? savedHome->c_str() : nullptr);
}

TEST(UnitBackup, OnlyAnAllZeroOrErasedMemoryIsBlank) {
  ConfigImage image;
  EXPECT_TRUE(IsBlankImage(image));
  image.bytes[2047] = 1;
  EXPECT_FALSE(IsBlankImage(image));
  image.bytes.fill(0xFF);
  EXPECT_TRUE(IsBlankImage(image));
  image.bytes[0] = 0;
  EXPECT_FALSE(IsBlankImage(image));
  EXPECT_FALSE(IsBlankImage(test::EncodeOrFail(test::FreshSettings())));
}

}  // namespace
}  // namespace tarnvik
