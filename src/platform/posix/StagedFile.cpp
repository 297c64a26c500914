#include "platform/StagedFile.h"

#include <filesystem>

#include "platform/posix/PosixFiles.h"

namespace tarnvik::platform {

StagedFile::StagedFile(const std::string& folder) {
  const std::string stem = ".tarnvik-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = (std::filesystem::path(folder) / (stem + std::to_string(attempt) + ".tmp")).string();
    // Mode 0666 lets the umask decide, as for any new file.
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      handle_ = fd;
      path_ = candidate;
      return;
    }
    if (errno != EEXIST) break;
  }
  failed();
}

StagedFile::~StagedFile() {
  if (isOpen()) ::close(Fd(handle_));
  if (!named_ && !path_.empty()) ::unlink(path_.c_str());
}

bool StagedFile::failed() {
  error_ = SystemError();
  return false;
}

// Only root may give a file away, and some file systems keep no owners or
// modes at all.
void StagedFile::keep(const Ownership& ownership) {
  if (::fchown(Fd(handle_), ownership.owner, ownership.group) != 0) {
    // The replacement stays ours.
  }
  if (::fchmod(Fd(handle_), ownership.mode) != 0) {
    // The replacement keeps the mode it was created with.
  }
}

bool StagedFile::write(std::string_view bytes) { return WriteAll(Fd(handle_), bytes) || failed(); }

bool StagedFile::finish() {
  if (SyncToDisk(Fd(handle_)) != 0) return failed();
  const int fd = Fd(handle_);
  handle_ = kClosed;
  return ::close(fd) == 0 || failed();
}

StagedFile::Placed StagedFile::placed(const std::string& target) {
  named_ = true;
  SyncFolder(std::filesystem::path(target).has_parent_path() ? std::filesystem::path(target).parent_path().string()
                                                             : std::string("."));
  return Placed::Done;
}

StagedFile::Placed StagedFile::replace(const std::string& target) {
  if (::rename(path_.c_str(), target.c_str()) == 0) return placed(target);
  failed();
  return Placed::Failed;
}

StagedFile::Placed StagedFile::create(const std::string& target) {
  if (RenameWithoutReplacing(path_, target) == 0) return placed(target);
  if (errno == EEXIST) return Placed::Taken;
  if ((errno == EINVAL || errno == ENOSYS) && ::rename(path_.c_str(), target.c_str()) == 0) return placed(target);
  failed();
  return Placed::Failed;
}

}  // namespace tarnvik::platform
