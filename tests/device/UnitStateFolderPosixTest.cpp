// The simulated unit kept in a folder, where POSIX owners, modes, links and
// file size limits steer it: what another user could reach through it is
// refused, nothing is read without end, and a new unit's files appear whole.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "core/OperationError.h"
#include "device/DeviceOperations.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/UnitStateFolder.h"
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
// Puts a link to `target` in the place of `file`, or a named pipe when
// `target` is empty.
void Replace(const fs::path& file, const char* target) {
  std::error_code ignored;
  fs::remove(file, ignored);
  if (*target == '\0')
    ::mkfifo(file.c_str(), 0644);
  else
    fs::create_symlink(target, file);
}

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
    {"FolderOfAnotherUser", [](const fs::path& f, const fs::path&) { EXPECT_EQ(::chown(f.c_str(), 65534, 65534), 0); },
     true, "belongs to another user"},
    {"FirmwareLinkOfAnotherUser",
     [](const fs::path& f, const fs::path& scratch) {
       fs::create_symlink(scratch / "victim", f / "firmware.bin");
       EXPECT_EQ(::lchown((f / "firmware.bin").c_str(), 65534, 65534), 0);
     },
     true, "belongs to another user"},
    {"OwnLinkToAnotherUsersFolder",
     [](const fs::path& f, const fs::path& scratch) {
       fs::rename(f, scratch / "theirs");
       EXPECT_EQ(::chown((scratch / "theirs").c_str(), 65534, 65534), 0);
       fs::create_symlink(scratch / "theirs", f);
     },
     true, "belongs to another user"},
    // Anything but a regular file is refused without being opened for long:
    // a device would read without end, a named pipe would wait for a writer.
    {"EndlessFaults", [](const fs::path& f, const fs::path&) { fs::create_symlink("/dev/zero", f / "faults"); }, false,
     "faults: not a regular file"},
    {"EndlessVersion", [](const fs::path& f, const fs::path&) { Replace(f / "version", "/dev/zero"); }, false,
     "version: not a regular file"},
    {"EndlessMemory", [](const fs::path& f, const fs::path&) { Replace(f / "memory.bin", "/dev/zero"); }, false,
     "memory.bin: not a regular file"},
    {"LongFaults", [](const fs::path& f, const fs::path&) { test::WriteAll(f / "faults", std::string(70000, '#')); },
     false, "faults: may hold at most 65536 bytes"},
    {"MemoryIsAPipe", [](const fs::path& f, const fs::path&) { Replace(f / "memory.bin", ""); }, false,
     "memory.bin: not a regular file"},
    {"VersionIsAPipe", [](const fs::path& f, const fs::path&) { Replace(f / "version", ""); }, false,
     "version: not a regular file"},
    {"FaultsIsAPipe", [](const fs::path& f, const fs::path&) { Replace(f / "faults", ""); }, false,
     "faults: not a regular file"},
    {"OpenErrorIsAPipe", [](const fs::path& f, const fs::path&) { Replace(f / "open-error", ""); }, false,
     "open-error: not a regular file"},
    {"SerialIsAPipe", [](const fs::path& f, const fs::path&) { Replace(f / "serial", ""); }, false,
     "serial: not a regular file"},
    {"FirmwareIsAPipe", [](const fs::path& f, const fs::path&) { Replace(f / "firmware.bin", ""); }, false,
     "firmware.bin: not a regular file"},
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

// A file that becomes a named pipe after the unit was made is refused where
// the unit next reads or writes it, without waiting for the other end.
TEST_F(SimulatedUnitFolderOnPosix, AFileThatBecameAPipeIsRefusedWhereItIsUsed) {
  const UnitStateFolder state(folder.string());
  const std::array<std::uint8_t, report::kPageBytes> page{};
  const struct {
    const char* file;
    std::function<void()> use;
  } uses[] = {{"memory.bin", [&] { state.memory(); }},
              {"version", [&] { state.version(); }},
              {"memory.bin", [&] { state.storePage(1, page); }},
              {"firmware.bin", [&] { state.storeFirmwarePage(0, page); }}};
  for (const auto& use : uses) {
    Replace(folder / use.file, "");
    try {
      use.use();
      ADD_FAILURE() << use.file << " accepted";
    } catch (const OperationError& error) {
      EXPECT_NE(std::string(error.what()).find(std::string(use.file) + ": not a regular file"), std::string::npos)
          << error.what();
    }
  }
}

// A unit's folder on a bus that cannot be used is that unit's trouble alone:
// it is listed, opening it fails with the reason, and the other units work.
TEST_F(SimulatedUnitFolderOnPosix, AnUnusableUnitOnABusLeavesTheOthersWorking) {
  const fs::path bus = fs::path(scratch.root()) / "bus";
  for (const char* name : {"unit1", "unit2", "unit3"}) {
    fs::create_directories(bus / name);
    test::WriteAll(bus / name / "memory.bin", std::string(2048, '\0'));
  }
  ::chmod((bus / "unit2").c_str(), 0775);
  const std::unique_ptr<HidTransport> units = SimulatedUnitInFolder(bus.string());
  const std::vector<HidInterface> listed = units->enumerate();
  ASSERT_EQ(listed.size(), 4u);  // a keyboard, then the three units
  EXPECT_EQ(listed[2].path, "simulated:" + (bus / "unit2").string());
  const HidTransport::Opened refused = units->open(listed[2].path);
  EXPECT_EQ(refused.connection, nullptr);
  EXPECT_EQ(refused.error, listed[2].path + ": other users may write " + (bus / "unit2").string() + " (chmod go-w " +
                               (bus / "unit2").string() + ")");
  for (const std::size_t usable : {1u, 3u}) EXPECT_NE(units->open(listed[usable].path).connection, nullptr);

  ::chmod((bus / "unit2").c_str(), 0755);  // put right: the unit works from the next look on
  EXPECT_NE(units->open(units->enumerate()[2].path).connection, nullptr);
}

}  // namespace
}  // namespace tarnvik
