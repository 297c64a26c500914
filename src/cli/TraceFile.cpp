#include "cli/TraceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/OperationError.h"

namespace tarnvik::cli {

namespace {

constexpr const char* kNotRegular = "not a regular file";

bool IsRegular(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Opens without waiting for a reader of a named pipe and without emptying
// anything yet; what is there already is looked at first.
int OpenForTrace(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    errno = 0;
    return -1;
  }
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
}

std::string Reason(int error) { return error == 0 ? kNotRegular : std::strerror(error); }

}  // namespace

TraceFile::TraceFile(const std::string& path) : path_(path), fd_(OpenForTrace(path)) {
  if (!fd_.valid()) throw FileWriteError(path, Reason(errno));
  if (!IsRegular(fd_.get())) throw FileWriteError(path, kNotRegular);
  if (::ftruncate(fd_.get(), 0) != 0) throw FileWriteError(path, Reason(errno));
  buffer_ = std::make_unique<Buffer>(fd_.get());
  stream_.rdbuf(buffer_.get());
}

TraceFile::~TraceFile() = default;

std::string TraceFile::finish() {
  stream_.flush();
  if (fd_.valid() && ::close(fd_.release()) != 0 && closeError_.empty()) closeError_ = std::strerror(errno);
  return !buffer_->error().empty() ? buffer_->error() : closeError_;
}

TraceFile::Buffer::int_type TraceFile::Buffer::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

int TraceFile::Buffer::sync() { return drain() ? 0 : -1; }

bool TraceFile::Buffer::drain() {
  const char* from = pbase();
  while (error_.empty() && from < pptr()) {
    const ssize_t written = ::write(fd_, from, static_cast<std::size_t>(pptr() - from));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) error_ = written < 0 ? std::strerror(errno) : "the file took no more bytes";
    if (written > 0) from += written;
  }
  setp(space_, space_ + sizeof space_);
  return error_.empty();
}

}  // namespace tarnvik::cli
