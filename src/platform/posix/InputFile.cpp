#include "platform/InputFile.h"

#include "platform/posix/PosixFiles.h"

namespace tarnvik::platform {

InputFile::InputFile(const std::string& path, Wait wait) {
  // Without waiting, opening a pipe for reading does not wait for a writer.
  const int flags = O_RDONLY | O_CLOEXEC | (wait == Wait::No ? O_NONBLOCK : 0);
  handle_ = ::open(path.c_str(), flags);
  if (handle_ < 0) failed();
}

InputFile InputFile::StandardInput() {
  InputFile input;
  input.handle_ = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
  if (input.handle_ < 0) input.failed();
  return input;
}

InputFile::~InputFile() {
  if (handle_ >= 0) ::close(Fd(handle_));
}

InputFile::InputFile(InputFile&& other) noexcept : handle_(other.handle_), error_(std::move(other.error_)) {
  other.handle_ = kClosed;
}

bool InputFile::failed() {
  error_ = SystemError();
  return false;
}

bool InputFile::isRegular() {
  struct stat info {};
  return ::fstat(Fd(handle_), &info) == 0 && S_ISREG(info.st_mode);
}

bool InputFile::read(char* buffer, std::size_t size, std::size_t& count) {
  for (;;) {
    const ssize_t got = ::read(Fd(handle_), buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return failed();
    count = static_cast<std::size_t>(got);
    return true;
  }
}

}  // namespace tarnvik::platform
