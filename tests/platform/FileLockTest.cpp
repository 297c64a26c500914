// What POSIX systems add to the locks' refusals: a named pipe is nothing to
// lock for a change and is not waited on, and a lock file may not be a link
// (anyone could point it elsewhere). Two programs asking for one lock are
// tested on every system (PlatformContractTest).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "platform/FileLock.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

using platform::FileLock;
using Status = FileLock::Status;

constexpr std::chrono::milliseconds kWait{400};

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
