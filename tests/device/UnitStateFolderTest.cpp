// The simulated unit kept in a folder: what survives between runs, and how
// the folder's files steer it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "core/OperationError.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/simulated/SimulatedTransport.h"
#include "image/ImageTestSupport.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

class SimulatedUnitFolder : public ::testing::Test {
 protected:
  test::TempFolder scratch;
  const fs::path folder = fs::path(scratch.root()) / "unit";
  test::RecordingOperator record;
};

TEST_F(SimulatedUnitFolder, ANewFolderIsAnEmptyUnitAndWrittenPagesSurviveTheProcess) {
  {
    const auto transport = SimulatedUnitInFolder(folder.string());
    EXPECT_EQ(ReadAll(folder / "memory.bin"), std::string(2048, '\0'));
    EXPECT_EQ(ReadAll(folder / "version"), "104\n");
    DeviceSettings settings = test::FreshSettings();
    ConfigImage image;
    ASSERT_TRUE(WriteConfig({*transport, record}, settings, image, test::TestClock(), test::FixedStamp()).allPages);
    EXPECT_EQ(ReadAll(folder / "memory.bin"), std::string(image.bytes.begin(), image.bytes.end()));
  }
  std::ofstream(folder / "version") << "213\n";
  const auto transport = SimulatedUnitInFolder(folder.string());
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", "OTHER");
  ConfigImage image;
  EXPECT_TRUE(ReadConfig({*transport, record}, image, settings).decoded);
  EXPECT_EQ(settings.text("Callsign"), test::FreshSettings().text("Callsign"));
  EXPECT_EQ(record.boxTexts().back(), "Firmware version: 2.13");
}

TEST_F(SimulatedUnitFolder, FirmwarePagesLandInPlaceAndANewUploadStartsAfresh) {
  const auto transport = SimulatedUnitInFolder(folder.string());
  FirmwareBuffer buffer;
  for (const std::size_t size : {200u, 40u}) {
    const fs::path file = folder.parent_path() / "fw.bin";
    std::ofstream(file, std::ios::binary) << std::string(size, 'F');
    record.answerFile(file.string());
    ASSERT_EQ(UploadFirmwareClick({*transport, record}, buffer, "/"), UploadOutcome::Done);
  }
  EXPECT_EQ(ReadAll(folder / "firmware.bin"), std::string(40, 'F') + std::string(24, '\0'));
}

TEST_F(SimulatedUnitFolder, FaultsComeFromTheFaultsFileAndUnpluggingLastsUntilTheMarkIsRemoved) {
  fs::create_directories(folder);
  std::ofstream(folder / "faults") << "# pull the cable at the third page\nunplug 3\n";
  {
    const auto transport = SimulatedUnitInFolder(folder.string());
    DeviceSettings settings = test::FreshSettings();
    ConfigImage image;
    EXPECT_FALSE(ReadConfig({*transport, record}, image, settings).allPages);
    // An empty unit reads as zeros, which pass the checksum but not the
    // version check; the version query then finds the unit gone.
    const std::vector<std::string> tail(record.log.end() - 3, record.log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"Page read error: 3/64", "Eeprom read error. Please reload configuration.",
                                        "Tarnvik not found."}));
  }
  EXPECT_TRUE(fs::exists(folder / "unplugged"));
  record.log.clear();
  EXPECT_FALSE(ShowFirmwareVersion({*SimulatedUnitInFolder(folder.string()), record}).found);
  EXPECT_EQ(record.log, std::vector<std::string>{"Tarnvik not found."});

  fs::remove(folder / "unplugged");
  fs::remove(folder / "faults");
  EXPECT_TRUE(ShowFirmwareVersion({*SimulatedUnitInFolder(folder.string()), record}).shown);
}

TEST_F(SimulatedUnitFolder, AnUnusableFolderOrFileIsReportedNotGuessed) {
  fs::create_directories(folder);
  std::ofstream(folder / "faults") << "explode 3\n";
  EXPECT_THROW(SimulatedUnitInFolder(folder.string()), OperationError);
  fs::remove(folder / "faults");
  std::ofstream(folder / "memory.bin") << "short";
  EXPECT_THROW(SimulatedUnitInFolder(folder.string()), OperationError);
  fs::remove(folder / "memory.bin");
  std::ofstream(folder.parent_path() / "plain-file") << "x";
  EXPECT_THROW(SimulatedUnitInFolder((folder.parent_path() / "plain-file").string()), OperationError);
  fs::remove_all(folder.parent_path());
}

// The program writes where the folder's files point, so a folder that another
// user owns or may write, or a file of another user's in it, is refused before
// anything is written; and every file is read only up to what it may hold.
struct FolderCase {
  const char* name;
  std::function<void(const fs::path& folder, const fs::path& scratch)> arrange;
  bool needsRoot;
  const char* refusal;  // part of the message
};

[[maybe_unused]] void PrintTo(const FolderCase& c, std::ostream* out) { *out << c.name; }

const FolderCase kFolderCases[] = {
    {"FolderOthersMayWrite", [](const fs::path& f, const fs::path&) { ::chmod(f.c_str(), 0777); }, false,
     "other users may write"},
    {"FolderGroupMayWrite", [](const fs::path& f, const fs::path&) { ::chmod(f.c_str(), 0775); }, false,
     "other users may write"},
    {"FileOthersMayWrite", [](const fs::path& f, const fs::path&) { ::chmod((f / "memory.bin").c_str(), 0666); }, false,
     "other users may write"},
    {"FolderOfAnotherUser", [](const fs::path& f, const fs::path&) { (void)::chown(f.c_str(), 65534, 65534); }, true,
     "belongs to another user"},
    {"FirmwareLinkOfAnotherUser",
     [](const fs::path& f, const fs::path& scratch) {
       fs::create_symlink(scratch / "victim", f / "firmware.bin");
       (void)::lchown((f / "firmware.bin").c_str(), 65534, 65534);
     },
     true, "belongs to another user"},
    {"OwnLinkToAnotherUsersFolder",
     [](const fs::path& f, const fs::path& scratch) {
       fs::rename(f, scratch / "theirs");
       (void)::chown((scratch / "theirs").c_str(), 65534, 65534);
       fs::create_symlink(scratch / "theirs", f);
     },
     true, "belongs to another user"},
    {"EndlessFaults", [](const fs::path& f, const fs::path&) { fs::create_symlink("/dev/zero", f / "faults"); }, false,
     "faults: may hold at most 65536 bytes"},
    {"EndlessVersion",
     [](const fs::path& f, const fs::path&) {
       fs::remove(f / "version");
       fs::create_symlink("/dev/zero", f / "version");
     },
     false, "version: may hold at most 65536 bytes"},
    {"EndlessMemory",
     [](const fs::path& f, const fs::path&) {
       fs::remove(f / "memory.bin");
       fs::create_symlink("/dev/zero", f / "memory.bin");
     },
     false, "memory.bin: may hold at most 2048 bytes"},
};

class UnitFolderRefused : public SimulatedUnitFolder, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(UnitFolderRefused, BeforeAnythingIsWrittenAndWithoutReadingWithoutEnd) {
  const FolderCase& c = GetParam();
  if (c.needsRoot && ::geteuid() != 0) GTEST_SKIP() << "needs root to give a file away";
  SimulatedUnitInFolder(folder.string());
  test::WriteAll((fs::path(scratch.root()) / "victim").string(), "victim");
  c.arrange(folder, scratch.root());
  try {
    SimulatedUnitInFolder(folder.string());
    ADD_FAILURE() << "accepted";
  } catch (const OperationError& error) {
    EXPECT_NE(std::string(error.what()).find(c.refusal), std::string::npos) << error.what();
  }
  EXPECT_EQ(ReadAll(fs::path(scratch.root()) / "victim"), "victim");
}

INSTANTIATE_TEST_SUITE_P(EveryWay, UnitFolderRefused, ::testing::ValuesIn(kFolderCases),
                         [](const auto& c) { return std::string(c.param.name); });

// A new unit's files appear whole or not at all: a start that cannot write
// them whole (here a full disk) leaves none behind that would fail every later
// start, and programs starting together on one new folder all succeed.
TEST_F(SimulatedUnitFolder, ANewUnitsFilesAppearWholeOrNotAtAll) {
  const test::OtherProgram fullDisk([&](const test::OtherProgram::Channel& channel) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      SimulatedUnitInFolder(folder.string());
      channel.tell(0);
    } catch (const OperationError&) {
      channel.tell(1);
    }
  });
  EXPECT_EQ(fullDisk.told(), 1);
  EXPECT_FALSE(fs::exists(folder / "memory.bin"));
  EXPECT_TRUE(ShowFirmwareVersion({*SimulatedUnitInFolder(folder.string()), record}).shown);

  for (int round = 0; round < 5; ++round) {
    const fs::path fresh = fs::path(scratch.root()) / ("new" + std::to_string(round));
    const auto start = [&](const test::OtherProgram::Channel& channel) {
      channel.tell(0);
      channel.awaitRelease();
      try {
        SimulatedUnitInFolder(fresh.string());
      } catch (const OperationError&) {
        ::_exit(1);
      }
    };
    test::OtherProgram first(start), second(start);
    first.letGo();
    second.letGo();
    EXPECT_EQ(first.release() + second.release(), 0) << "round " << round;
    EXPECT_EQ(ReadAll(fresh / "version"), "104\n");
  }
}

}  // namespace
}  // namespace tarnvik
