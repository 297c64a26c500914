// The simulated unit kept in a folder, where POSIX owners, modes, links and
// file size limits steer it: what another user could reach through it is
// refused, nothing is read without end, and a new unit's files appear whole.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <ostream>

#include "core/OperationError.h"
#include "device/DeviceOperations.h"
#include "device/simulated/SimulatedTransport.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

class SimulatedUnitFolderOnPosix : public ::testing::Test {
 protected:
  test::TempFolder scratch;
  const fs::path folder = fs::path(scratch.root()) / "unit";
  test::RecordingOperator record;
};

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

class UnitFolderRefused : public SimulatedUnitFolderOnPosix, public ::testing::WithParamInterface<FolderCase> {};

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
TEST_F(SimulatedUnitFolderOnPosix, ANewUnitsFilesAppearWholeOrNotAtAll) {
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
