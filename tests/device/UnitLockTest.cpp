// Two programs and one unit: while one works with the unit, every operation of
// the other finds it in use and leaves it untouched (not opened, no report
// sent); once the first is done, the second works. The unit stays held from an
// operation's first opening to its end, across the openings in between. The
// lock is the one every program meets: a simulated unit's lock file, a real
// unit's device node; a lock that cannot be had is named, with why.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
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
#include "safeguard/BackupFolder.h"
#include "safeguard/SafeWrite.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"
#ifdef TARNVIK_TEST_HIDAPI
#include "support/HidapiDouble.h"
#endif

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::OtherProgram;

// Whether another program finds `lock` (a lock file, a device node) locked
// right now, asking the system itself.
bool OtherProgramFindsItLocked(const fs::path& lock) {
  const OtherProgram probe([&](const OtherProgram::Channel& channel) {
    const int fd = ::open(lock.c_str(), O_RDONLY | O_NONBLOCK);
    channel.tell(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK ? 1 : 0);
  });
  return probe.told() == 1;
}

// Whether another program could take the unit kept in `folder` right now.
bool OtherProgramFindsItInUse(const fs::path& folder) { return OtherProgramFindsItLocked(folder / "lock"); }

// An operator that asks, at one log line, whether another program could take the unit.
class ProbingOperator : public test::RecordingOperator {
 public:
  ProbingOperator(fs::path lock, std::string probeAt) : lock_(std::move(lock)), probeAt_(std::move(probeAt)) {}
  void logLine(const std::string& line) override {
    RecordingOperator::logLine(line);
    if (line == probeAt_) probes.push_back(OtherProgramFindsItLocked(lock_));
  }
  std::vector<bool> probes;

 private:
  fs::path lock_;
  std::string probeAt_;
};

struct Operation {
  const char* name;
  std::function<bool(const DeviceAccess&, const fs::path& backups)> run;  // true: done
};

[[maybe_unused]] void PrintTo(const Operation& c, std::ostream* out) { *out << c.name; }

const Operation kOperations[] = {
    {"ReadConfig",
     [](const DeviceAccess& access, const fs::path&) {
       ConfigImage image;
       DeviceSettings settings = test::FreshSettings();
       return ReadConfig(access, image, settings).versionShown;
     }},
    {"WriteConfig",
     [](const DeviceAccess& access, const fs::path&) {
       ConfigImage image;
       DeviceSettings settings = test::FreshSettings();
       return WriteConfig(access, settings, image, test::TestClock(), test::FixedStamp()).allPages;
     }},
    {"WriteConfigWithBackup",
     [](const DeviceAccess& access, const fs::path& backups) {
       ConfigImage image;
       DeviceSettings settings = test::FreshSettings();
       return WriteConfigSafely(access, settings, image, test::TestClock(), BackupFolder(backups.string()), nullptr,
                                test::FixedStamp())
           .verified;
     }},
    {"FirmwareVersion", [](const DeviceAccess& access, const fs::path&) { return ShowFirmwareVersion(access).shown; }},
    {"UploadFirmware",
     [](const DeviceAccess& access, const fs::path&) {
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

  const fs::path backups = fs::path(scratch.root()) / "backups";
  EXPECT_FALSE(GetParam().run({transport, record}, backups));
  EXPECT_EQ(record.log, (std::vector<std::string>{kFoundLine, kInUseLine}));
  EXPECT_TRUE(record.boxTexts().empty()) << ::testing::PrintToString(record.boxTexts());
  EXPECT_EQ(unit->requestCount(), 0u);
  EXPECT_EQ(test::ReadAll(folder / "memory.bin"), memory);
  EXPECT_FALSE(fs::exists(folder / "firmware.bin"));
  EXPECT_FALSE(fs::exists(backups));

  first.release();
  record.log.clear();
  EXPECT_TRUE(GetParam().run({transport, record}, backups)) << ::testing::PrintToString(record.log);
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
  ProbingOperator probing(folder / "lock", "Eeprom read success.");
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

// Where a unit's lock is, and what keeps it from being had.
enum class LockPlace { LockFile, DeviceNode };
enum class Obstacle {
  OtherProgram,  // another program holds it: in use
  Link,          // a symbolic link in the lock file's place
  Missing,       // the device node is gone (unplugged after the listing)
};

struct LockCase {
  const char* name;
  LockPlace place;
  Obstacle obstacle;
  const char* line;  // the log's line after the found line; LOCK stands for the lock's path
};

[[maybe_unused]] void PrintTo(const LockCase& c, std::ostream* out) { *out << c.name; }

const LockCase kLockCases[] = {
    {"LockFileIsALink", LockPlace::LockFile, Obstacle::Link,
     "Tarnvik's lock cannot be taken: LOCK: a symbolic link, not a regular file."},
#ifdef TARNVIK_TEST_HIDAPI
    {"DeviceNodeHeldElsewhere", LockPlace::DeviceNode, Obstacle::OtherProgram, kInUseLine},
    {"DeviceNodeGone", LockPlace::DeviceNode, Obstacle::Missing,
     "Tarnvik cannot be opened: LOCK: No such file or directory. See \"USB access on Linux\" in README.md."},
#endif
};

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  if (const auto at = text.find(what); at != std::string::npos) text.replace(at, what.size(), with);
  return text;
}

// A unit kept in a folder, or one behind hidapi whose device node is a file
// standing in for /dev/hidraw3; `lock` is where its lock is.
class LockedUnit {
 public:
  explicit LockedUnit(LockPlace place) {
    if (place == LockPlace::LockFile) {
      unit = std::make_shared<SimulatedUnit>(folder.string());
      auto simulated = std::make_unique<SimulatedTransport>();
      simulated->addUnit("simulated:" + folder.string(), unit);
      transport_ = std::move(simulated);
      lock = folder / "lock";
      return;
    }
#ifdef TARNVIK_TEST_HIDAPI
    unit = std::make_shared<SimulatedUnit>();
    lock = fs::path(scratch.root()) / "hidraw3";
    test::HidapiDouble::reset();
    test::HidapiDouble::plug(lock.string(), unit, "A1");
    transport_ = std::make_unique<HidapiTransport>();
#endif
  }
  ~LockedUnit() {
#ifdef TARNVIK_TEST_HIDAPI
    test::HidapiDouble::reset();
#endif
  }
  LockedUnit(const LockedUnit&) = delete;
  LockedUnit& operator=(const LockedUnit&) = delete;

  HidTransport& transport() { return *transport_; }

  test::TempFolder scratch;
  const fs::path folder = fs::path(scratch.root()) / "unit";
  fs::path lock;
  std::shared_ptr<SimulatedUnit> unit;

 private:
  std::unique_ptr<HidTransport> transport_;
};

class UnitLock : public ::testing::TestWithParam<LockCase> {};

TEST_P(UnitLock, AUnitWhoseLockCannotBeHadIsLeftUntouchedAndTheLogSaysWhy) {
  const LockCase& c = GetParam();
  LockedUnit unit(c.place);
  std::unique_ptr<OtherProgram> holder;
  if (c.obstacle == Obstacle::OtherProgram) {
    test::WriteAll(unit.lock.string(), "");
    holder = std::make_unique<OtherProgram>([&](const OtherProgram::Channel& channel) {
      const int fd = ::open(unit.lock.c_str(), O_RDONLY);
      channel.tell(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 1 : 0);
      channel.awaitRelease();
    });
    ASSERT_EQ(holder->told(), 1);
  }
  if (c.obstacle == Obstacle::Link) fs::create_symlink(fs::path(unit.scratch.root()) / "elsewhere", unit.lock);
  const std::size_t before = unit.unit->requestCount();

  test::RecordingOperator record;
  ConfigImage image;
  DeviceSettings settings = test::FreshSettings();
  EXPECT_FALSE(ReadConfig({unit.transport(), record}, image, settings).versionShown);
  record.log.resize(std::min<std::size_t>(record.log.size(), 2));  // a unit not opened: the read's lines follow
  EXPECT_EQ(record.log, (std::vector<std::string>{kFoundLine, Replaced(c.line, "LOCK", unit.lock.string())}));
  EXPECT_EQ(unit.unit->requestCount(), before);
  EXPECT_FALSE(fs::exists(fs::path(unit.scratch.root()) / "elsewhere"));
}

INSTANTIATE_TEST_SUITE_P(EveryObstacle, UnitLock, ::testing::ValuesIn(kLockCases),
                         [](const auto& c) { return std::string(c.param.name); });

#ifdef TARNVIK_TEST_HIDAPI
// A real unit is held on its device node from the read's opening through the
// version query's, and let go at the end: what another program finds there.
TEST(UnitHeld, OnItsDeviceNodeForTheWholeOperation) {
  LockedUnit unit(LockPlace::DeviceNode);
  test::WriteAll(unit.lock.string(), "");
  unit.unit->setMemory(test::EncodeOrFail(test::FreshSettings()));
  ProbingOperator probing(unit.lock, "Eeprom read success.");
  ConfigImage image;
  DeviceSettings settings = test::FreshSettings();
  EXPECT_TRUE(ReadConfig({unit.transport(), probing}, image, settings).versionShown)
      << ::testing::PrintToString(probing.log);
  EXPECT_EQ(probing.probes, std::vector<bool>{true});
  EXPECT_FALSE(OtherProgramFindsItLocked(unit.lock));
}
#endif

}  // namespace
}  // namespace tarnvik
