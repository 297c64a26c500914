#include "cli/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/OperationError.h"

namespace tarnvik::cli {

namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

std::string SystemError(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// The replaced file keeps the permissions it had.
void KeepMode(const std::string& target, const std::string& temporary) {
  struct stat info {};
  if (stat(target.c_str(), &info) == 0) chmod(temporary.c_str(), info.st_mode & 07777);
}

}  // namespace

std::string TemporaryPathBeside(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  std::string candidate;
  do {
    candidate = target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  } while (Exists(candidate));
  return candidate;
}

bool ReplaceFile(const std::string& target, const std::function<void(const std::string&)>& write,
                 std::string& error) {
  const std::string temporary = TemporaryPathBeside(target);
  try {
    write(temporary);
  } catch (const OperationError&) {
    std::remove(temporary.c_str());
    error = "Unable to write to " + target;
    return false;
  }
  KeepMode(target, temporary);
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    error = SystemError("Unable to write to", target);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  bool written = fd >= 0;
  for (std::size_t done = 0; written && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    done += written ? std::size_t(n) : 0;
  }
  written = written && fsync(fd) == 0;
  if (fd >= 0) written = close(fd) == 0 && written;
  if (!written) throw FileWriteError(path);
}

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = SystemError("Unable to read", path);
    return false;
  }
  bytes.assign(limit + 1, 0);  // one more than allowed, to tell an over-long file
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  bytes.resize(std::size_t(in.gcount()));
  if (in.bad()) {
    error = "Unable to read " + path;
    return false;
  }
  return true;
}

}  // namespace tarnvik::cli
