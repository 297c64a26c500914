#pragma once
// Small pieces the POSIX side of the platform layer shares: the system's text
// for the last error, syncing and writing a descriptor whole, and a file's
// identity from what stat() told.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tarnvik::platform {

inline std::string SystemError() { return std::strerror(errno); }

// The descriptor behind a platform handle (the handles are kept as integers
// wide enough for a Windows HANDLE).
inline int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

// Down to the disk itself: on macOS fsync() stops at the drive's cache.
inline int SyncToDisk(int fd) {
#ifdef F_FULLFSYNC
  if (::fcntl(fd, F_FULLFSYNC) == 0) return 0;
#endif
  return ::fsync(fd);
}

// Writes all of `bytes`; on failure errno says why (EIO when the system took
// no byte without saying why).
inline bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count == 0) errno = EIO;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// rename() that fails with EEXIST where an entry has the name `to`; EINVAL
// or ENOSYS where the file system or the system cannot do that.
inline int RenameWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef __APPLE__
  return ::renamex_np(from.c_str(), to.c_str(), RENAME_EXCL);
#else
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
#endif
}

inline FileId IdOf(const struct stat& info) {
#ifdef __APPLE__
  const struct timespec& modified = info.st_mtimespec;
#else
  const struct timespec& modified = info.st_mtim;
#endif
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size), modified.tv_sec, modified.tv_nsec};
}

}  // namespace tarnvik::platform
