// What POSIX systems add to the locks' refusals: a named pipe is nothing to
// lock for a change and is not waited on, and a lock file may not be a link
// (anyone could point it elsewhere) or anything but a regular file. A lock
// that cannot be had names its file and says why. Two programs asking for one
// lock are tested on every system (PlatformContractTest).
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>

#include "platform/FileLock.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using platform::FileLock;
using Status = FileLock::Status;

constexpr std::chrono::milliseconds kWait{400};

TEST(FileLockRefusals, NothingToLockForAChange) {
  test::TempFolder dir;
  ::mkfifo(dir.path("pipe").c_str(), 0644);
  fs::create_directory(dir.path("folder"));
  for (const char* name : {"missing", "pipe", "folder"})
    EXPECT_EQ(FileLock::LockForChange(dir.path(name), kWait).status(), Status::Absent) << name;
}

struct Asked {
  int status = -1;
  std::string reason;
};

// What `take` gives, asked by this process or, with `asNobody`, by a child
// that runs as the user nobody.
Asked Ask(const std::function<FileLock()>& take, bool asNobody) {
  if (!asNobody) {
    const FileLock lock = take();
    return {static_cast<int>(lock.status()), lock.reason()};
  }
  int channel[2];
  if (::pipe(channel) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    const FileLock lock = take();
    const std::string told = std::to_string(static_cast<int>(lock.status())) + " " + lock.reason();
    ::_exit(::write(channel[1], told.data(), told.size()) == static_cast<ssize_t>(told.size()) ? 0 : 98);
  }
  ::close(channel[1]);
  std::string told;
  char buffer[256];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    told.append(buffer, static_cast<std::size_t>(n));
  ::close(channel[0]);
  ::waitpid(child, nullptr, 0);
  const auto blank = told.find(' ');
  if (blank == std::string::npos) return {};
  return {std::stoi(told.substr(0, blank)), told.substr(blank + 1)};
}

// Puts what stands in the lock's place at `path`.
using Obstacle = std::function<void(const std::string& path)>;

struct Refusal {
  const char* name;
  bool device;        // TryLockDevice, else TryLockFile
  const char* path;   // in the test's folder, or absolute
  Obstacle obstacle;  // nothing: nothing there
  bool asNobody;      // asked by a user with no rights to it (needs root)
  const char* why;    // the reason after the path
};

[[maybe_unused]] void PrintTo(const Refusal& c, std::ostream* out) { *out << c.name; }

void Link(const std::string& path) { fs::create_symlink(path + ".elsewhere", path); }
void Pipe(const std::string& path) { ::mkfifo(path.c_str(), 0644); }
void Private(const std::string& path) {
  test::WriteAll(path, "");
  ::chmod(path.c_str(), 0600);
}
void PrivateFolder(const std::string& path) { fs::create_directory(fs::path(path).parent_path()); }

const Refusal kRefusals[] = {
    {"LockFileIsALink", false, "lock", Link, false, "a symbolic link, not a regular file"},
    {"LockFileIsAPipe", false, "lock", Pipe, false, "a named pipe, not a regular file"},
    {"LockFileIsADevice", false, "/dev/null", nullptr, false, "a device, not a regular file"},
    {"LockFileOutOfReach", false, "lock", Private, true, "Permission denied"},
    {"LockFileCannotBeMade", false, "root/lock", PrivateFolder, true, "Permission denied"},
    {"DeviceNodeGone", true, "hidraw3", nullptr, false, "No such file or directory"},
    {"DeviceNodeOutOfReach", true, "hidraw3", Private, true, "Permission denied"},
};

class LockRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(LockRefused, TheReasonNamesTheLockAndWhy) {
  const Refusal& c = GetParam();
  if (c.asNobody && ::geteuid() != 0) GTEST_SKIP() << "needs root, to ask as another user";
  test::TempFolder dir;
  fs::permissions(dir.root(), fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
  const std::string path = c.path[0] == '/' ? c.path : dir.path(c.path);
  if (c.obstacle) c.obstacle(path);
  const Asked asked =
      Ask([&] { return c.device ? FileLock::TryLockDevice(path) : FileLock::TryLockFile(path); }, c.asNobody);
  EXPECT_EQ(asked.status, static_cast<int>(Status::Failed));
  EXPECT_EQ(asked.reason, path + ": " + c.why);
  EXPECT_FALSE(fs::exists(path + ".elsewhere")) << "a link is never followed";
}

INSTANTIATE_TEST_SUITE_P(EveryObstacle, LockRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace tarnvik
