#include "platform/RewritableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/posix/PosixFiles.h"

namespace tarnvik::platform {

RewritableFile::RewritableFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    failed();
    return;
  }
  struct stat info {};
  const bool known = ::fstat(fd, &info) == 0;
  if (!known || !S_ISREG(info.st_mode)) {
    error_ = known ? "not a regular file" : std::strerror(errno);
    ::close(fd);
    return;
  }
  handle_ = fd;
}

RewritableFile::~RewritableFile() {
  if (isOpen()) ::close(Fd(handle_));
}

bool RewritableFile::failed() {
  error_ = std::strerror(errno);
  return false;
}

bool RewritableFile::identify(FileId& id) {
  struct stat info {};
  if (::fstat(Fd(handle_), &info) != 0) return failed();
  id = IdOf(info);
  return true;
}

bool RewritableFile::readAll(std::size_t limit, std::string& content) {
  std::array<char, 64 * 1024> buffer;
  content.clear();
  while (content.size() <= limit) {
    const std::size_t wanted = std::min(buffer.size(), limit + 1 - content.size());
    const ssize_t count = ::pread(Fd(handle_), buffer.data(), wanted, static_cast<off_t>(content.size()));
    if (count == 0) return true;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return failed();
    content.append(buffer.data(), static_cast<std::size_t>(count));
  }
  return true;
}

bool RewritableFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::pwrite(Fd(handle_), bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return failed();
    if (count == 0) {
      errno = EIO;
      return failed();
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
    offset += static_cast<std::uint64_t>(count);
  }
  return true;
}

bool RewritableFile::reserve(std::uint64_t size) {
  if (size == 0) return true;
#ifdef __APPLE__
  // No posix_fallocate: growing the file takes the space where it is needed.
  struct stat info {};
  if (::fstat(Fd(handle_), &info) != 0) return failed();
  if (static_cast<std::uint64_t>(info.st_size) >= size) return true;
  return ::ftruncate(Fd(handle_), static_cast<off_t>(size)) == 0 || failed();
#else
  const int result = ::posix_fallocate(Fd(handle_), 0, static_cast<off_t>(size));
  if (result == 0) return true;
  errno = result;
  return failed();
#endif
}

bool RewritableFile::truncate(std::uint64_t size) {
  return ::ftruncate(Fd(handle_), static_cast<off_t>(size)) == 0 || failed();
}

bool RewritableFile::sync() { return SyncToDisk(Fd(handle_)) == 0 || failed(); }

bool RewritableFile::close() {
  const int fd = Fd(handle_);
  handle_ = kClosed;
  return ::close(fd) == 0 || failed();
}

}  // namespace tarnvik::platform
