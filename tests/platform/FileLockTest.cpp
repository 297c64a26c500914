// Two programs asking for one lock: the second is kept out for as long as the
// first holds it, within one program the lock is shared, and a lock for a
// change follows the file the path names when the first program replaced it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <thread>

#include "platform/FileLock.h"
#include "support/OtherProgram.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

using platform::FileLock;
using Status = FileLock::Status;
using std::chrono::milliseconds;
using test::OtherProgram;

enum class Kind { LockFile, Change };

// What holds the lock when the test asks for it.
enum class Holder {
  Nobody,
  ThisProcess,        // an earlier lock of this process, still held
  OtherProgram,       // another program that keeps it
  LetsGoSoon,         // another program that lets go within the wait
  ReplacesAndLetsGo,  // ... after putting a new file in the path's place
};

struct LockCase {
  const char* name;
  Kind kind;
  Holder holder;
  Status expected;
  bool waitsOutTheLimit;  // Busy only after the whole wait
};

[[maybe_unused]] void PrintTo(const LockCase& c, std::ostream* out) { *out << c.name; }

const LockCase kCases[] = {
    {"LockFileFree", Kind::LockFile, Holder::Nobody, Status::Held, false},
    {"LockFileHeldHere", Kind::LockFile, Holder::ThisProcess, Status::Held, false},
    {"LockFileHeldElsewhere", Kind::LockFile, Holder::OtherProgram, Status::Busy, false},
    {"ChangeFree", Kind::Change, Holder::Nobody, Status::Held, false},
    {"ChangeHeldHere", Kind::Change, Holder::ThisProcess, Status::Held, false},
    {"ChangeHeldElsewhere", Kind::Change, Holder::OtherProgram, Status::Busy, true},
    {"ChangeWaitsForTheOther", Kind::Change, Holder::LetsGoSoon, Status::Held, false},
    {"ChangeFollowsAReplacement", Kind::Change, Holder::ReplacesAndLetsGo, Status::Held, false},
};

constexpr milliseconds kWait{400};

FileLock Take(Kind kind, const std::string& path, milliseconds wait = kWait) {
  return kind == Kind::LockFile ? FileLock::TryLockFile(path) : FileLock::LockForChange(path, wait);
}

// The other program's part: take the lock, tell how it went, then keep it or
// (after a moment) let it go, on the way replacing the file where asked.
std::function<void(const OtherProgram::Channel&)> Body(const LockCase& c, const std::string& path) {
  return [&c, path](const OtherProgram::Channel& channel) {
    const FileLock lock = Take(c.kind, path);
    channel.tell(static_cast<int>(lock.status()));
    if (c.holder == Holder::OtherProgram) return channel.awaitRelease();
    std::this_thread::sleep_for(milliseconds(100));
    if (c.holder == Holder::ReplacesAndLetsGo) {
      test::WriteAll(path + ".new", "replacement");
      std::rename((path + ".new").c_str(), path.c_str());
    }
  };
}

class TwoPrograms : public ::testing::TestWithParam<LockCase> {
 protected:
  test::TempFolder dir;
  const std::string path = dir.path("target");
};

TEST_P(TwoPrograms, TheSecondIsKeptOutWhileTheFirstHoldsTheLock) {
  const LockCase& c = GetParam();
  test::WriteAll(path, "content");
  FileLock earlier;
  if (c.holder == Holder::ThisProcess) earlier = Take(c.kind, path);
  std::unique_ptr<OtherProgram> other;
  if (c.holder != Holder::Nobody && c.holder != Holder::ThisProcess) {
    other = std::make_unique<OtherProgram>(Body(c, path));
    ASSERT_EQ(other->told(), static_cast<int>(Status::Held));
  }
  const auto start = std::chrono::steady_clock::now();
  const FileLock lock = Take(c.kind, path);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(lock.status(), c.expected);
  EXPECT_EQ(lock.reason().empty(), lock.held()) << lock.reason();
  const bool waitedOut = waited >= kWait;
  EXPECT_EQ(waitedOut, c.waitsOutTheLimit);
  if (other) other->release();
  if (!lock.held()) return;
  // Held means held: on the file the path names now, against any other program.
  EXPECT_EQ(OtherProgram([&](const OtherProgram::Channel& channel) {
              channel.tell(static_cast<int>(Take(c.kind, path, milliseconds(0)).status()));
            }).told(),
            static_cast<int>(Status::Busy));
}

INSTANTIATE_TEST_SUITE_P(EveryHolder, TwoPrograms, ::testing::ValuesIn(kCases),
                         [](const auto& c) { return std::string(c.param.name); });

// What is not a regular file is not locked for a change, and nothing waits on
// it; a lock file may not be a link (anyone could point it elsewhere).
TEST(FileLockRefusals, NothingToLockOrNoSafeLockFile) {
  test::TempFolder dir;
  ::mkfifo(dir.path("pipe").c_str(), 0644);
  std::filesystem::create_directory(dir.path("folder"));
  for (const char* name : {"missing", "pipe", "folder"})
    EXPECT_EQ(FileLock::LockForChange(dir.path(name), kWait).status(), Status::Absent) << name;
  std::filesystem::create_symlink(dir.path("elsewhere"), dir.path("link.lock"));
  const FileLock viaLink = FileLock::TryLockFile(dir.path("link.lock"));
  EXPECT_EQ(viaLink.status(), Status::Failed);
  EXPECT_FALSE(std::filesystem::exists(dir.path("elsewhere")));
  EXPECT_NE(viaLink.reason().find("link.lock"), std::string::npos) << viaLink.reason();
}

}  // namespace
}  // namespace tarnvik
