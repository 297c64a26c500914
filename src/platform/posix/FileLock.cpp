// Locks with flock(): one lock per open file description, released when the
// last descriptor of it closes, which the system does for a process however
// it ends. The locks this process holds are kept in a table by file, so that
// asking again shares the lock instead of waiting for it.
#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "platform/posix/PosixFiles.h"
#include "platform/posix/UniqueFd.h"

namespace tarnvik::platform {

struct HeldLock {
  UniqueFd fd;               // closing it lets go of the lock
  pid_t owner = ::getpid();  // a child forked meanwhile is another program
};

namespace {

using FileKey = std::pair<dev_t, ino_t>;

std::mutex& TableMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<FileKey, std::weak_ptr<HeldLock>>& Table() {
  static std::map<FileKey, std::weak_ptr<HeldLock>> table;
  return table;
}

enum class Try { Held, Busy, Unsupported };

// Locks the file open at `fd` for this process, or shares the lock it holds.
Try LockOpenFile(UniqueFd& fd, const struct stat& info, std::shared_ptr<HeldLock>& held) {
  const std::lock_guard<std::mutex> guard(TableMutex());
  const FileKey key{info.st_dev, info.st_ino};
  if (auto known = Table()[key].lock(); known && known->owner == ::getpid()) {
    held = std::move(known);
    return Try::Held;
  }
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK ? Try::Busy : Try::Unsupported;
  held = std::make_shared<HeldLock>();
  held->fd.reset(fd.release());
  Table()[key] = held;
  return Try::Held;
}

// Opens an existing lock file, without following a link, for writing where
// the caller may and else for reading (which is all a lock needs); creates
// it where missing.
UniqueFd OpenLockFile(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid() && errno == EACCES)
      fd.reset(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.valid() || errno != ENOENT) return fd;
    fd.reset(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (fd.valid()) {
      if (::fchmod(fd.get(), 0644) != 0) {
        // Other users' programs may then fail to open it, and say so.
      }
      return fd;
    }
    if (errno != EEXIST) return fd;
  }
  return UniqueFd();
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

const char* KindOf(mode_t mode) {
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "something else";
}

// Why `path` cannot serve as a lock file, when the opening failed or gave no
// regular file: what is there instead, else the system's words. A link or a
// named pipe in a lock file's place is someone's doing, to be named plainly.
std::string NotALockFile(const std::string& path) {
  const std::string why = SystemError();
  struct stat there {};
  if (::lstat(path.c_str(), &there) != 0 || S_ISREG(there.st_mode)) return path + ": " + why;
  return path + ": " + KindOf(there.st_mode) + ", not a regular file";
}

}  // namespace

// Nothing but a regular file is opened (a device or a pipe may act on being
// opened); one put in its place meanwhile is found once it is open.
FileLock FileLock::TryLockFile(const std::string& lockFile) {
  struct stat there {};
  if (::lstat(lockFile.c_str(), &there) == 0 && !S_ISREG(there.st_mode))
    return {Status::Failed, NotALockFile(lockFile)};
  UniqueFd fd = OpenLockFile(lockFile);
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
    return {Status::Failed, NotALockFile(lockFile)};
  std::shared_ptr<HeldLock> held;
  switch (LockOpenFile(fd, info, held)) {
    case Try::Held: return {Status::Held, {}, std::move(held)};
    case Try::Busy: return {Status::Busy, kBusyReason};
    case Try::Unsupported: break;
  }
  return {Status::Failed, lockFile + ": " + SystemError()};
}

// The node is opened as the HID library opens it, for reading and writing,
// and never read: the few reports the system queues for this descriptor go
// with it.
FileLock FileLock::TryLockDevice(const std::string& devicePath) {
  UniqueFd fd(::open(devicePath.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0) return {Status::Failed, devicePath + ": " + SystemError()};
  std::shared_ptr<HeldLock> held;
  switch (LockOpenFile(fd, info, held)) {
    case Try::Held: return {Status::Held, {}, std::move(held)};
    case Try::Busy: return {Status::Busy, kBusyReason};
    case Try::Unsupported: break;
  }
  return {Status::Failed, devicePath + ": cannot be locked: " + SystemError()};
}

FileLock::ChangeTry FileLock::TryLockForChange(const std::string& path, std::shared_ptr<HeldLock>& held) {
  struct stat named {};
  if (::stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return ChangeTry::Absent;
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (!fd.valid() || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return ChangeTry::Absent;
  switch (LockOpenFile(fd, opened, held)) {
    case Try::Unsupported: return ChangeTry::Absent;
    case Try::Busy: return ChangeTry::Busy;
    case Try::Held: break;
  }
  const bool same = ::stat(path.c_str(), &named) == 0 && SameFile(named, opened);
  return same ? ChangeTry::Held : ChangeTry::Replaced;
}

}  // namespace tarnvik::platform
