#include "platform/OutputFile.h"

#include "platform/posix/PosixFiles.h"

namespace tarnvik::platform {

namespace {

bool IsRegular(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

// Opens without waiting for a reader of a named pipe and without emptying
// anything yet; what is there already is looked at first.
OutputFile::OutputFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    error_ = kNotRegular;
    return;
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) {
    failed();
    return;
  }
  if (!IsRegular(fd)) {
    error_ = kNotRegular;
  } else if (::ftruncate(fd, 0) != 0) {
    failed();
  } else {
    handle_ = fd;
    return;
  }
  ::close(fd);
}

OutputFile::~OutputFile() {
  if (isOpen()) ::close(Fd(handle_));
}

bool OutputFile::failed() {
  error_ = SystemError();
  return false;
}

bool OutputFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(Fd(handle_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return failed();
    if (written == 0) {
      error_ = "the file took no more bytes";
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool OutputFile::close() {
  const int fd = Fd(handle_);
  handle_ = kClosed;
  return ::close(fd) == 0 || failed();
}

}  // namespace tarnvik::platform
