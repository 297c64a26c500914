// The window's Write config with its backup and read-back, against a unit
// behind each HID stack: what the log says, which backup files appear, what
// the unit holds afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "cfgfile/ConfigFileOps.h"
#include "image/ImageTestSupport.h"
#include "safeguard/BackupFolder.h"
#include "safeguard/SafeWrite.h"
#include "safeguard/UnitBench.h"
#include "safeguard/WriteWarnings.h"
#include "support/FoundLine.h"

namespace tarnvik {
namespace {

using test::Backend;
using test::UnitBench;

using test::kFound;
const std::string kStem = "2026-07-03_09-05-00Z_OH2XYZ-4";

std::vector<std::string> Pages(const std::string& prefix) {
  std::vector<std::string> lines;
  for (int n = 1; n <= 64; ++n) lines.push_back(prefix + std::to_string(n) + "/64");
  return lines;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The whole log of a write that went ahead, with `backupLines` where the backup speaks.
std::vector<std::string> WholeWrite(const std::vector<std::string>& backupLines, const std::vector<std::string>& end) {
  return Join({{kFound},
               Pages("Page read: "),
               backupLines,
               Pages("Page written: "),
               {"Eeprom write success"},
               Pages("Page read: "),
               end});
}

ConfigImage UnitImage() {
  DeviceSettings held = test::FreshSettings();
  held.setText("Callsign", "OH2XYZ");
  held.setText("Ssid", "4");
  return test::EncodeOrFail(held);
}

ConfigImage Filled(std::uint8_t byte) {
  ConfigImage image;
  image.bytes.fill(byte);
  return image;
}

ConfigImage OtherVersion() {
  ConfigImage image = UnitImage();
  test::Put(image, 6, "v1.03");
  test::FixChecksum(image);
  return image;
}

ConfigImage Damaged() {
  ConfigImage image = UnitImage();
  image.bytes[500] ^= 0x01;
  return image;
}

struct Case {
  const char* name;
  ConfigImage held;
  std::vector<Fault> faults;
  std::function<std::vector<std::string>(const std::string& folder)> log;
  std::vector<std::string> files;  // in the backup folder, sorted
  bool written;                    // all pages went in (and the unit holds them unless one went in damaged)
  std::vector<std::string> boxes;
};

std::vector<Case> Cases() {
  const std::string unread =
      "Backup failed: the unit's configuration could not be read. Nothing was written to the unit.";
  const std::string verifyError = "Verify error: 1 page of 64 differs from what was written.";
  const std::string page6 = "Page 6/64 (bytes 160 to 191): Beacon1_msg";
  return {
      {"AGoodUnitIsBackedUpAsFileAndImage",
       UnitImage(),
       {},
       [](const std::string& f) {
         return WholeWrite({"Backup of the unit: " + test::InFolder(f, kStem + ".cfg")}, {kVerifySuccessLine});
       },
       {kStem + ".bin", kStem + ".cfg"},
       true,
       {}},
      {"ABlankUnitIsWrittenWithoutABackup",
       Filled(0x00),
       {},
       [](const std::string&) {
         return WholeWrite({"The unit is blank: it is written without a backup."}, {kVerifySuccessLine});
       },
       {},
       true,
       {}},
      {"AnErasedUnitIsBlankToo",
       Filled(0xFF),
       {},
       [](const std::string&) {
         return WholeWrite({"The unit is blank: it is written without a backup."}, {kVerifySuccessLine});
       },
       {},
       true,
       {}},
      {"AnotherVersionKeepsItsImageOnly",
       OtherVersion(),
       {},
       [](const std::string& f) {
         return WholeWrite({"Backup of the unit: " + test::InFolder(f, kStem + ".bin"),
                            "The unit holds another configuration version: the backup holds its image only."},
                           {kVerifySuccessLine});
       },
       {kStem + ".bin"},
       true,
       {}},
      {"ADamagedImageKeepsItsImageOnly",
       Damaged(),
       {},
       [](const std::string& f) {
         return WholeWrite({"Backup of the unit: " + test::InFolder(f, kStem + ".bin"),
                            "The unit's configuration fails its checksum: the backup holds its image only."},
                           {kVerifySuccessLine});
       },
       {kStem + ".bin"},
       true,
       {}},
      {"APageErrorWhileBackingUpWritesNothing",
       UnitImage(),
       {{FaultKind::NoAnswer, 10}},
       [=](const std::string&) {
         std::vector<std::string> pages = Pages("Page read: ");
         pages.resize(9);
         return Join({{kFound}, pages, {"Page read error: 10/64", "Tarnvik did not answer within 1000 ms.", unread}});
       },
       {},
       false,
       {unread}},
      {"ADamagedWrittenPageIsFoundAndNamed",
       UnitImage(),
       {{FaultKind::BadStore, 64 + 6}},
       [=](const std::string& f) {
         return WholeWrite({"Backup of the unit: " + test::InFolder(f, kStem + ".cfg")}, {verifyError, page6});
       },
       {kStem + ".bin", kStem + ".cfg"},
       true,
       {verifyError + "\n" + page6}},
  };
}

std::vector<std::string> Files(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Each backup file holds what the unit held: the image byte for byte, the
// configuration file its settings.
void CheckBackupContent(const std::string& folder, const ConfigImage& held) {
  for (const std::string& name : Files(folder)) {
    const std::string path = test::InFolder(folder, name);
    if (name.ends_with(".bin")) {
      EXPECT_EQ(test::ReadAll(path), std::string(held.bytes.begin(), held.bytes.end())) << name;
      continue;
    }
    DeviceSettings back = test::FreshSettings();
    test::RecordingOperator quiet;
    ASSERT_TRUE(LoadConfigFile(back, path, quiet)) << name;
    EXPECT_EQ(back.text("Callsign"), "OH2XYZ");
    EXPECT_EQ(back.text("Ssid"), "4");
  }
}

TEST(SafeWrite, BackupWriteAndReadBackOnEveryStack) {
  for (const Backend backend : test::Backends()) {
    for (const Case& c : Cases()) {
      SCOPED_TRACE(std::string(test::Name(backend)) + ": " + c.name);
      UnitBench bench(backend);
      bench.unit->setMemory(c.held);
      for (const Fault& fault : c.faults) bench.unit->addFault(fault);
      const BackupFolder backups(bench.folder.path("backups"));
      DeviceSettings window = test::FreshSettings();
      window.setText("Callsign", "SP9ABC");
      ConfigImage image;
      const SafeWriteOutcome outcome =
          WriteConfigSafely(bench.access(), window, image, test::TestClock(), backups, nullptr, test::FixedStamp());
      EXPECT_EQ(bench.record.log, c.log(backups.path()));
      EXPECT_EQ(Files(backups.path()), c.files);
      EXPECT_EQ(bench.record.boxTexts(), c.boxes);
      EXPECT_EQ(outcome.allPages, c.written);
      EXPECT_EQ(outcome.verified, c.written && c.boxes.empty());
      // A write that did not go ahead left the unit as it was; one that did
      // left the window's image, but for the page that went in damaged.
      const auto& memory = bench.unit->memory().bytes;
      EXPECT_EQ(memory, c.written ? memory : c.held.bytes);
      EXPECT_EQ(memory == image.bytes, c.written && outcome.verified);
      CheckBackupContent(backups.path(), c.held);
    }
  }
}

// The unit last read or written against the unit found: the same path with
// another serial number is another unit (device paths are given out again),
// and a No leaves the unit untouched, not even read.
TEST(SafeWrite, AnotherUnitThanTheLastIsWrittenOnlyWhenTheOperatorSaysSo) {
  const struct {
    std::optional<HidInterface> last;
    bool answer;
    bool asked;
  } cases[] = {
      {std::nullopt, false, false},
      {HidInterface{"/dev/hidraw1", "", "A1"}, false, false},
      {HidInterface{"/dev/hidraw1", "", "B2"}, false, true},
      {HidInterface{"/dev/hidraw7", "", "A1"}, false, true},
      {HidInterface{"/dev/hidraw7", "", "A1"}, true, true},
  };
  const std::string question = "The Tarnvik at /dev/hidraw1 (serial A1) is not the unit last read or written (";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.last ? UnitName(*c.last) + (c.answer ? ", Yes" : ", No") : "none");
    UnitBench bench(Backend::Simulated);
    bench.unit->setMemory(UnitImage());
    bench.record.answerQuestion(c.answer);
    DeviceSettings window = test::FreshSettings();
    ConfigImage image;
    const SafeWriteOutcome outcome =
        WriteConfigSafely(bench.access(), window, image, test::TestClock(), BackupFolder(bench.folder.path("b")),
                          c.last ? &*c.last : nullptr);
    ASSERT_EQ(bench.record.questions.size(), c.asked ? 1u : 0u);
    for (const std::string& asked : bench.record.questions) EXPECT_EQ(asked.substr(0, question.size()), question);
    const bool written = !c.asked || c.answer;
    EXPECT_EQ(outcome.declined, !written);
    EXPECT_EQ(bench.unit->requestCount(), written ? 3 * 64u : 0u);
    EXPECT_EQ(bench.record.log.back(), written ? kVerifySuccessLine : kWriteDeclinedLine);
  }
}

}  // namespace
}  // namespace tarnvik
