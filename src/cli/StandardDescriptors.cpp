#include "cli/StandardDescriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>
#include <streambuf>

namespace tarnvik::cli {

namespace {

// Takes no byte: the first write fails, as on a closed descriptor.
class ClosedOutput : public std::streambuf {};

bool IsClosed(int fd) { return ::fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

void KeepStandardDescriptors(std::ostream& out) {
  const bool outputClosed = IsClosed(STDOUT_FILENO);
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (!IsClosed(fd)) continue;
    // The lowest free descriptor is taken: the closed one, as those below it are open.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
  // Never destroyed: the streams are flushed once more after static objects
  // are gone, and a buffer destroyed before that would be called dead.
  static ClosedOutput* const closed = new ClosedOutput;
  if (outputClosed) out.rdbuf(closed);
}

}  // namespace tarnvik::cli
