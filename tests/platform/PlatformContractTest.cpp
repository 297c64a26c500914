// The platform layer's promises, through its interface, the same on every
// system: names in any language, bytes as they are, what an entry is and
// which file it is, a file put in place whole or not at all, pages written
// where they belong, and locks between two programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>

#include "platform/FileLock.h"
#include "platform/FileSystem.h"
#include "platform/InputFile.h"
#include "platform/PathText.h"
#include "platform/StagedFile.h"
#include "support/TestFiles.h"
#include "support/TestSystem.h"

namespace tarnvik::platform {
namespace {

namespace fs = std::filesystem;
using Kind = FileStatus::Kind;
using Placed = StagedFile::Placed;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

// Every byte value, line ends of every kind and the old end-of-file mark.
std::string AllBytes() {
  std::string bytes = "line\r\nline\nline\rend\x1a after the mark\r\n";
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// Writes `pieces` one after the other into a file staged in `folder`, which
// then takes the name `path`, as every file the program writes does.
bool WriteThroughThePlatform(const std::string& folder, const std::string& path,
                             const std::vector<std::string>& pieces) {
  StagedFile staged(folder);
  bool ok = staged.isOpen();
  for (const std::string& piece : pieces) ok = ok && staged.write(piece);
  ok = ok && staged.finish() && staged.replace(path) == Placed::Done;
  EXPECT_TRUE(ok) << staged.error();
  return ok;
}

TEST(PlatformNames, AnyLanguageRoundTripsThroughTheSystem) {
  TempFolder dir;
  for (const std::string name :
       {"unit \xC3\xA4.cfg", "K\xC3\xA4ytt\xC3\xA4j\xC3\xA4", "\xE9\x85\x8D\xE7\xBD\xAE.cfg"}) {
    EXPECT_EQ(TextOf(PathOf(name)), name);
    const std::string path = dir.path(name);
    ASSERT_TRUE(WriteThroughThePlatform(dir.root(), path, {name}));
    EXPECT_EQ(StatusOf(path, Links::Follow).kind, Kind::Regular) << name;
    EXPECT_EQ(ReadAll(path), name);
  }
  std::vector<std::string> names = dir.names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"K\xC3\xA4ytt\xC3\xA4j\xC3\xA4", "unit \xC3\xA4.cfg",
                                             "\xE9\x85\x8D\xE7\xBD\xAE.cfg"}));
  // A folder of that name holds files too.
  fs::remove(PathOf(dir.path("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4")));
  fs::create_directory(PathOf(dir.path("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4")));
  WriteAll(dir.path("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4/unit.cfg"), "x");
  EXPECT_EQ(StatusOf(dir.path("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4/unit.cfg"), Links::Keep).kind, Kind::Regular);
}

TEST(PlatformFiles, BytesComeBackAsWrittenAndReadsStopPastTheirLimit) {
  TempFolder dir;
  const std::string bytes = AllBytes();
  WriteAll(dir.path("old"), std::string(5000, 'o'));
  ASSERT_TRUE(WriteThroughThePlatform(dir.root(), dir.path("old"), {bytes.substr(0, 10), bytes.substr(10)}));
  EXPECT_EQ(ReadAll(dir.path("old")), bytes);

  InputFile in(dir.path("old"), InputFile::Wait::No);
  ASSERT_TRUE(in.isOpen()) << in.error();
  EXPECT_TRUE(in.isRegular());
  std::string read;
  EXPECT_TRUE(in.readUpTo(bytes.size(), read));
  EXPECT_EQ(read, bytes);
  InputFile again(dir.path("old"), InputFile::Wait::ForWriter);
  EXPECT_TRUE(again.readUpTo(9, read));
  EXPECT_EQ(read, bytes.substr(0, 10)) << "one byte past the limit shows the input is longer";

  const InputFile missing(dir.path("missing"), InputFile::Wait::No);
  EXPECT_FALSE(missing.isOpen());
  EXPECT_EQ(missing.error(), "No such file or directory");
  fs::create_directory(PathOf(dir.path("folder")));
  InputFile folder(dir.path("folder"), InputFile::Wait::No);
  EXPECT_FALSE(folder.isOpen() && folder.isRegular());
}

TEST(PlatformStatus, TellsKindsAndFilesApart) {
  TempFolder dir;
  WriteAll(dir.path("a"), "a");
  WriteAll(dir.path("b"), "b");
  fs::create_directory(PathOf(dir.path("folder")));
  EXPECT_EQ(StatusOf(dir.path("missing"), Links::Follow).kind, Kind::Missing);
  EXPECT_EQ(StatusOf(dir.path("missing/deeper"), Links::Keep).kind, Kind::Missing);
  EXPECT_EQ(StatusOf(dir.path("folder"), Links::Follow).kind, Kind::Folder);
  const FileStatus a = StatusOf(dir.path("a"), Links::Follow);
  const FileStatus b = StatusOf(dir.path("b"), Links::Keep);
  ASSERT_EQ(a.kind, Kind::Regular);
  EXPECT_FALSE(a.id.sameFile(b.id));
  EXPECT_TRUE(a.id.sameFile(StatusOf(dir.path("a"), Links::Keep).id));
  EXPECT_EQ(a.id.size, 1u);
  EXPECT_FALSE(a.readOnly);

  WriteAll(dir.path("a"), "longer");  // the same file, another state
  const FileStatus changed = StatusOf(dir.path("a"), Links::Follow);
  EXPECT_TRUE(changed.id.sameFile(a.id));
  EXPECT_NE(changed.id, a.id);

  fs::permissions(PathOf(dir.path("b")), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(StatusOf(dir.path("b"), Links::Follow).readOnly);
}

// A staged file replaces, creates or stays out of the way; whatever it does
// not become is removed, and the old file is whole until the rename.
TEST(PlatformStagedFile, TakesItsNameWholeOrLeavesEverythingAsItWas) {
  TempFolder dir;
  const std::string bytes = AllBytes();
  WriteAll(dir.path("target"), "old");
  WriteAll(dir.path("taken"), "theirs");
  const Ownership kept = StatusOf(dir.path("target"), Links::Follow).ownership;
  {
    StagedFile staged(dir.root());
    ASSERT_TRUE(staged.isOpen()) << staged.error();
    staged.keep(kept);
    ASSERT_TRUE(staged.write(bytes) && staged.finish()) << staged.error();
    EXPECT_EQ(ReadAll(dir.path("target")), "old");
    ASSERT_EQ(staged.replace(dir.path("target")), Placed::Done) << staged.error();
  }
  EXPECT_EQ(ReadAll(dir.path("target")), bytes);
  EXPECT_EQ(StatusOf(dir.path("target"), Links::Follow).ownership.mode, kept.mode);
  {
    StagedFile staged(dir.root());
    ASSERT_TRUE(staged.write("mine") && staged.finish());
    EXPECT_EQ(staged.create(dir.path("taken")), Placed::Taken);
    EXPECT_EQ(staged.create(dir.path("new")), Placed::Done) << staged.error();
  }
  EXPECT_EQ(ReadAll(dir.path("taken")), "theirs");
  EXPECT_EQ(ReadAll(dir.path("new")), "mine");
  {
    StagedFile abandoned(dir.root());
    ASSERT_TRUE(abandoned.write("never placed"));
  }
  {
    StagedFile nowhere(dir.path("missing-folder"));
    EXPECT_FALSE(nowhere.isOpen());
    EXPECT_EQ(nowhere.error(), "No such file or directory");
  }
  std::vector<std::string> names = dir.names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"new", "taken", "target"})) << "no staged file stays behind";
}

TEST(PlatformFileSystem, FilesAppearWholeAndPagesLandInPlace) {
  TempFolder dir;
  std::string error;
  EXPECT_EQ(CreateIfAbsent(dir.path("made"), AllBytes(), error), CreateOutcome::Created) << error;
  EXPECT_EQ(CreateIfAbsent(dir.path("made"), "other", error), CreateOutcome::Existed);
  EXPECT_EQ(ReadAll(dir.path("made")), AllBytes());
  EXPECT_EQ(CreateIfAbsent(dir.path("none/made"), "x", error), CreateOutcome::Failed);
  EXPECT_EQ(error, "No such file or directory");

  ASSERT_TRUE(WriteAt(dir.path("pages"), 4, "\r\n\x1a", false, error)) << error;
  ASSERT_TRUE(WriteAt(dir.path("pages"), 0, "ab", false, error));
  EXPECT_EQ(ReadAll(dir.path("pages")), std::string("ab\0\0\r\n\x1a", 7));
  ASSERT_TRUE(WriteAt(dir.path("pages"), 1, "z", true, error));
  EXPECT_EQ(ReadAll(dir.path("pages")), std::string("\0z", 2));
  EXPECT_FALSE(WriteAt(dir.path("none/pages"), 0, "x", false, error));
}

// Locks between this program and another one (the lock_holder program).
enum class Holder {
  Nobody,
  ThisProcess,        // an earlier lock of this process, still held
  OtherProgram,       // another program that keeps it
  LetsGoSoon,         // another program that lets go within the wait
  ReplacesAndLetsGo,  // ... after putting a new file in the path's place
};

enum class LockKind {
  LockFile,  // TryLockFile
  Change,    // LockForChange
  Device,    // TryLockDevice (a regular file stands in for a device node)
};

struct LockCase {
  const char* name;
  LockKind kind;
  Holder holder;
  FileLock::Status expected;
  bool waitsOutTheLimit;  // Busy only after the whole wait
};

[[maybe_unused]] void PrintTo(const LockCase& c, std::ostream* out) { *out << c.name; }

using Status = FileLock::Status;
const LockCase kLockCases[] = {
    {"LockFileFree", LockKind::LockFile, Holder::Nobody, Status::Held, false},
    {"LockFileHeldHere", LockKind::LockFile, Holder::ThisProcess, Status::Held, false},
    {"LockFileHeldElsewhere", LockKind::LockFile, Holder::OtherProgram, Status::Busy, false},
    {"ChangeFree", LockKind::Change, Holder::Nobody, Status::Held, false},
    {"ChangeHeldHere", LockKind::Change, Holder::ThisProcess, Status::Held, false},
    {"ChangeHeldElsewhere", LockKind::Change, Holder::OtherProgram, Status::Busy, true},
    {"ChangeWaitsForTheOther", LockKind::Change, Holder::LetsGoSoon, Status::Held, false},
    {"ChangeFollowsAReplacement", LockKind::Change, Holder::ReplacesAndLetsGo, Status::Held, false},
    {"DeviceFree", LockKind::Device, Holder::Nobody, Status::Held, false},
    {"DeviceHeldHere", LockKind::Device, Holder::ThisProcess, Status::Held, false},
    {"DeviceHeldElsewhere", LockKind::Device, Holder::OtherProgram, Status::Busy, false},
};

constexpr std::chrono::milliseconds kWait{400};

const char* KindWord(LockKind kind) {
  switch (kind) {
    case LockKind::LockFile: return "file";
    case LockKind::Change: return "change";
    case LockKind::Device: return "device";
  }
  return "";
}

std::unique_ptr<test::OtherProcess> Holding(LockKind kind, const std::string& path, const char* then) {
  return std::make_unique<test::OtherProcess>(
      std::vector<std::string>{test::ProgramBesideTests("lock_holder"), KindWord(kind), path, then});
}

FileLock Take(LockKind kind, const std::string& path) {
  switch (kind) {
    case LockKind::LockFile: return FileLock::TryLockFile(path);
    case LockKind::Change: return FileLock::LockForChange(path, kWait);
    case LockKind::Device: return FileLock::TryLockDevice(path);
  }
  return {};
}

class TwoPrograms : public ::testing::TestWithParam<LockCase> {
 protected:
  TempFolder dir;
  const std::string path = dir.path("target");
};

TEST_P(TwoPrograms, TheSecondIsKeptOutWhileTheFirstHoldsTheLock) {
  const LockCase& c = GetParam();
  WriteAll(path, "content");
  const auto take = [&] { return Take(c.kind, path); };
  FileLock earlier;
  if (c.holder == Holder::ThisProcess) earlier = take();
  std::unique_ptr<test::OtherProcess> other;
  if (c.holder == Holder::OtherProgram) other = Holding(c.kind, path, "keep");
  if (c.holder == Holder::LetsGoSoon) other = Holding(c.kind, path, "soon");
  if (c.holder == Holder::ReplacesAndLetsGo) other = Holding(c.kind, path, "replace");
  if (other) {
    ASSERT_EQ(other->readLine(), std::to_string(static_cast<int>(Status::Held)));
  }
  const auto start = std::chrono::steady_clock::now();
  const FileLock lock = take();
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(lock.status(), c.expected);
  EXPECT_EQ(lock.reason().empty(), lock.held()) << lock.reason();
  EXPECT_EQ(waited >= kWait, c.waitsOutTheLimit);
  if (other) {
    EXPECT_EQ(other->finish(), 0);
  }
  if (c.holder == Holder::ReplacesAndLetsGo) {
    EXPECT_EQ(ReadAll(path), "replacement");
  }
  if (!lock.held()) return;
  // Held means held: on the file the path names now, against any other program.
  EXPECT_EQ(Holding(c.kind, path, "probe")->readLine(), std::to_string(static_cast<int>(Status::Busy)));
}

INSTANTIATE_TEST_SUITE_P(EveryHolder, TwoPrograms, ::testing::ValuesIn(kLockCases),
                         [](const auto& c) { return std::string(c.param.name); });

// Nothing to lock for a change: no file there, or a folder; nothing waits.
TEST(FileLocks, NothingToLockIsNotWaitedFor) {
  TempFolder dir;
  fs::create_directory(PathOf(dir.path("folder")));
  const auto start = std::chrono::steady_clock::now();
  for (const char* name : {"missing", "folder"})
    EXPECT_EQ(FileLock::LockForChange(dir.path(name), kWait).status(), Status::Absent) << name;
  EXPECT_LT(std::chrono::steady_clock::now() - start, kWait);
  const FileLock inFolderThatIsMissing = FileLock::TryLockFile(dir.path("none/unit.lock"));
  EXPECT_EQ(inFolderThatIsMissing.status(), Status::Failed);
  EXPECT_NE(inFolderThatIsMissing.reason().find("unit.lock"), std::string::npos) << inFolderThatIsMissing.reason();
}

// Windows names a device by its path whatever the case of its letters and
// whether \\?\ or \\.\ stands in front: every spelling meets one lock, and a
// path too long for the name of a system object still has one.
TEST(DeviceLocks, EverySpellingOfAWindowsDevicePathMeetsOneLock) {
  if (test::OnPosix()) GTEST_SKIP() << "a device node is locked as the file it is";
  TempFolder dir;  // for a name no other run uses
  const std::string device = "hid#vid_0483&pid_a04a#" + PathOf(dir.root()).filename().string() + "#{4d1e55b2}";
  std::string upper = device;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  const std::string longer = "\\\\?\\" + device + std::string(300, 'x');
  const auto holder = Holding(LockKind::Device, "\\\\?\\" + device, "keep");
  const auto longHolder = Holding(LockKind::Device, longer, "keep");
  ASSERT_EQ(holder->readLine(), std::to_string(static_cast<int>(Status::Held)));
  ASSERT_EQ(longHolder->readLine(), std::to_string(static_cast<int>(Status::Held)));
  for (const std::string& spelling : {"\\\\.\\" + upper, device, longer})
    EXPECT_EQ(FileLock::TryLockDevice(spelling).status(), Status::Busy) << spelling;
  EXPECT_EQ(FileLock::TryLockDevice("\\\\?\\" + device + "#2").status(), Status::Held);
}

}  // namespace
}  // namespace tarnvik::platform
