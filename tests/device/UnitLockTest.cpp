// Two programs and one unit: while one works with the unit, every operation of
// the other finds it in use and leaves it untouched (not opened, no report
// sent); once the first is done, the second works. The unit stays held from an
// operation's first opening to its end, across the openings in between.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>

#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/UnitSession.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "image/ImageTestSupport.h"
#include "platform/FileLock.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::OtherProgram;

// Whether another program could take the unit kept in `folder` right now.
bool OtherProgramFindsItInUse(const fs::path& folder) {
  const OtherProgram probe([&](const OtherProgram::Channel& channel) {
    channel.tell(static_cast<int>(platform::FileLock::TryLockFile((folder / "lock").string()).status()));
  });
  return probe.told() == static_cast<int>(platform::FileLock::Status::Busy);
}

// An operator that asks, at one log line, whether another program could take the unit.
class ProbingOperator : public test::RecordingOperator {
 public:
  ProbingOperator(fs::path folder, std::string probeAt) : folder_(std::move(folder)), probeAt_(std::move(probeAt)) {}
  void logLine(const std::string& line) override {
    RecordingOperator::logLine(line);
    if (line == probeAt_) probes.push_back(OtherProgramFindsItInUse(folder_));
  }
  std::vector<bool> probes;

 private:
  fs::path folder_;
  std::string probeAt_;
};

struct Operation {
  const char* name;
  std::function<bool(const DeviceAccess&)> run;  // true: done
};

[[maybe_unused]] void PrintTo(const Operation& c, std::ostream* out) { *out << c.name; }

const Operation kOperations[] = {
    {"ReadConfig",
     [](const DeviceAccess& access) {
       ConfigImage image;
       DeviceSettings settings = test::FreshSettings();
       return ReadConfig(access, image, settings).versionShown;
     }},
    {"WriteConfig",
     [](const DeviceAccess& access) {
       ConfigImage image;
       DeviceSettings settings = test::FreshSettings();
       return WriteConfig(access, settings, image, test::TestClock(), test::FixedStamp()).allPages;
     }},
    {"FirmwareVersion", [](const DeviceAccess& access) { return ShowFirmwareVersion(access).shown; }},
    {"UploadFirmware",
     [](const DeviceAccess& access) {
       FirmwareBuffer buffer;  // the file dialog is answered by the test
       return UploadFirmwareClick(access, buffer, "/") == UploadOutcome::Done;
     }},
};

class UnitInUse : public ::testing::TestWithParam<Operation> {
 protected:
  void SetUp() override {
    test::WriteAll(scratch.path("fw.bin"), std::string(100, 'F'));
    ConfigImage image;
    DeviceSettings settings = test::FreshSettings();
    ASSERT_TRUE(WriteConfig({*SimulatedUnitInFolder(folder.string()), record}, settings, image, test::TestClock(),
                            test::FixedStamp())
                    .allPages);
    record.log.clear();
    record.answerFile(scratch.path("fw.bin"));  // taken only once the unit is free
  }

  test::TempFolder scratch;
  const fs::path folder = fs::path(scratch.root()) / "unit";
  test::RecordingOperator record;
};

TEST_P(UnitInUse, TheSecondProgramLeavesTheUnitAloneUntilTheFirstIsDone) {
  OtherProgram first([&](const OtherProgram::Channel& channel) {
    const auto transport = SimulatedUnitInFolder(folder.string());
    UnitSession units(*transport);
    test::RecordingOperator quiet;
    DeviceLink link(units, quiet);
    channel.tell(link.OpenLink() ? 1 : 0);
    channel.awaitRelease();
  });
  ASSERT_EQ(first.told(), 1);
  const auto unit = std::make_shared<SimulatedUnit>(folder.string());
  SimulatedTransport transport;
  transport.addUnit("simulated:" + folder.string(), unit);
  const std::string memory = test::ReadAll(folder / "memory.bin");

  EXPECT_FALSE(GetParam().run({transport, record}));
  EXPECT_EQ(record.log, (std::vector<std::string>{kFoundLine, kInUseLine}));
  EXPECT_EQ(unit->requestCount(), 0u);
  EXPECT_EQ(test::ReadAll(folder / "memory.bin"), memory);
  EXPECT_FALSE(fs::exists(folder / "firmware.bin"));

  first.release();
  record.log.clear();
  EXPECT_TRUE(GetParam().run({transport, record})) << ::testing::PrintToString(record.log);
  EXPECT_FALSE(OtherProgramFindsItInUse(folder)) << "the operation let go of the unit";
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, UnitInUse, ::testing::ValuesIn(kOperations),
                         [](const auto& c) { return std::string(c.param.name); });

// Read config closes the link before the version query and opens it again;
// the unit stays held in between. Sessions inside a session (the tool's write
// --backup --verify) share its hold, which lasts until the outer one ends.
TEST(UnitHeld, AcrossTheOpeningsOfAnOperationAndOfASession) {
  test::TempFolder scratch;
  const fs::path folder = fs::path(scratch.root()) / "unit";
  const auto transport = SimulatedUnitInFolder(folder.string());
  ProbingOperator probing(folder, "Eeprom read success.");
  DeviceSettings settings = test::FreshSettings();
  ConfigImage image;
  ASSERT_TRUE(WriteConfig({*transport, probing}, settings, image, test::TestClock(), test::FixedStamp()).allPages);
  EXPECT_TRUE(ReadConfig({*transport, probing}, image, settings).versionShown);

  {
    UnitSession outer(*transport);
    EXPECT_TRUE(ReadConfig({outer, probing}, image, settings).versionShown);
    EXPECT_TRUE(OtherProgramFindsItInUse(folder));
    EXPECT_TRUE(WriteConfig({outer, probing}, settings, image, test::TestClock(), test::FixedStamp()).allPages);
  }
  EXPECT_FALSE(OtherProgramFindsItInUse(folder));
  EXPECT_EQ(probing.probes, (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace tarnvik
