// A backup is a pair, the configuration file and the image beside it, and the
// two never come from different runs: the earlier configuration file goes
// first, then the new image takes its place, then the new configuration file.
// Where no new configuration file follows (the image fails its checks, holds a
// number no file holds, or the run stops between the two), no earlier one is
// left beside the new image; and where the earlier one may not be replaced,
// nothing of the new backup is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "cfgfile/ConfigFileOps.h"
#include "image/ImageLayout.h"
#include "image/ImageTestSupport.h"
#include "safeguard/UnitBackup.h"
#include "support/FixedClock.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

enum class Held { Good, Damaged, OtherVersion, BigNumber };
enum class Left { Old, New, None };

struct PairCase {
  const char* name;
  Held held;
  BackupOutcome outcome;
  Left config, image;
  bool configReadOnly = false;
  bool configIsALink = false;
  test::OnlyOn only = test::OnlyOn::Any;
};

[[maybe_unused]] void PrintTo(const PairCase& c, std::ostream* out) { *out << c.name; }

const PairCase kPairs[] = {
    {"GoodImage", Held::Good, BackupOutcome::Saved, Left::New, Left::New},
    {"DamagedImage", Held::Damaged, BackupOutcome::Damaged, Left::None, Left::New},
    {"OtherVersion", Held::OtherVersion, BackupOutcome::OtherVersion, Left::None, Left::New},
    {"NumberNoFileHolds", Held::BigNumber, BackupOutcome::NumberNotKept, Left::None, Left::New},
    {"EarlierConfigurationReadOnly", Held::Good, BackupOutcome::EarlierConfigKept, Left::Old, Left::Old, true},
    {"ConfigurationIsALink", Held::Good, BackupOutcome::Saved, Left::New, Left::New, false, true, test::OnlyOn::Posix},
};

ConfigImage Image(Held held) {
  if (held == Held::OtherVersion) return ConfigImage{};  // all zero, as a new unit reads
  DeviceSettings station = test::FreshSettings();
  station.setText("Callsign", "OH2NEW");
  ConfigImage image = test::EncodeOrFail(station);
  if (held == Held::Damaged) image.bytes[500] ^= 1;
  if (held == Held::BigNumber) {
    for (std::size_t i = 0; i < layout::kTxdelay.size; ++i) image.bytes[layout::kTxdelay.offset + i] = 0xFF;
    test::FixChecksum(image);
  }
  return image;
}

class BackupPair : public ::testing::TestWithParam<PairCase> {
 protected:
  test::TempFolder folder;
  const BackupFiles files{folder.path("b.bin"), folder.path("b.cfg")};
  test::RecordingOperator op;
};

TEST_P(BackupPair, NeverMixesTwoRuns) {
  const PairCase& c = GetParam();
  if (!test::RunsHere(c.only)) GTEST_SKIP() << "not on this system";
  WriteAll(files.image, "earlier image");
  const std::string config = c.configIsALink ? folder.path("real.cfg") : files.config;
  WriteAll(config, "earlier configuration");
  if (c.configIsALink) fs::create_symlink("real.cfg", platform::PathOf(files.config));
  if (c.configReadOnly) fs::permissions(platform::PathOf(config), fs::perms::owner_read);
  const ConfigImage image = Image(c.held);

  const BackupResult result = SaveUnitBackup(image, files, op, test::TestClock());
  EXPECT_EQ(result.outcome, c.outcome);
  const std::string newImage(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size());
  EXPECT_EQ(ReadAll(files.image), c.image == Left::New ? newImage : "earlier image");
  std::error_code error;
  EXPECT_EQ(fs::exists(platform::PathOf(config), error), c.config != Left::None);
  const std::string left = c.config == Left::None ? std::string() : ReadAll(config);
  EXPECT_EQ(left == "earlier configuration", c.config == Left::Old);
  EXPECT_EQ(left.find("Callsign=OH2NEW") != std::string::npos, c.config == Left::New);
  EXPECT_EQ(fs::is_symlink(platform::PathOf(files.config)), c.configIsALink);
}

INSTANTIATE_TEST_SUITE_P(EveryOutcome, BackupPair, ::testing::ValuesIn(kPairs),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace tarnvik
