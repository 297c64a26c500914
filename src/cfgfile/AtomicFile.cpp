#include "cfgfile/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "core/OperationError.h"

namespace tarnvik {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinks = 40;  // as the kernel's own limit on link chains

// Makes the rename itself durable; a failure here cannot undo the save.
void SyncFolder(const fs::path& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

}  // namespace

// checkTarget has already refused a target that exists but may not be written.
AtomicFile::AtomicFile(const std::string& path) : shownPath_(path), target_(path) {
  resolveTarget();
  checkTarget();
  if (createTemporary()) return;
  if (!targetExists_) fail();
  inPlace_ = true;
}

AtomicFile::~AtomicFile() {
  if (fd_.valid()) ::close(fd_.release());
  if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::fail() const { throw FileWriteError(shownPath_); }

void AtomicFile::resolveTarget() {
  fs::path file = target_;
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error))) {
      target_ = file.string();
      return;
    }
    const fs::path link = fs::read_symlink(file, error);
    if (error) fail();
    file = link.is_absolute() ? link : FolderOf(file) / link;
  }
  fail();
}

// Root may write to any file, but a file marked read-only must stay as it is
// for every user, as it does on systems with a read-only attribute.
void AtomicFile::checkTarget() {
  struct stat info {};
  if (::stat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT) fail();
    return;
  }
  if (!S_ISREG(info.st_mode)) fail();
  if ((info.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0) fail();
  targetExists_ = true;
  oldMode_ = info.st_mode & 07777;
  oldOwner_ = info.st_uid;
  oldGroup_ = info.st_gid;
  oldDevice_ = info.st_dev;
  oldInode_ = info.st_ino;
  oldSize_ = info.st_size;
  oldModified_ = info.st_mtim;
}

// The same file as checked (device and inode), not written since (size and
// modification time, as finely as the file system keeps it).
bool AtomicFile::sameAsChecked(const struct stat& now) const {
  return now.st_dev == oldDevice_ && now.st_ino == oldInode_ && now.st_size == oldSize_ &&
         now.st_mtim.tv_sec == oldModified_.tv_sec && now.st_mtim.tv_nsec == oldModified_.tv_nsec;
}

// A new name per attempt: a stale temporary file of an earlier crash is never
// reused or overwritten. The name is short and does not grow with the
// target's, which may already be as long as a folder entry can be.
bool AtomicFile::createTemporary() {
  const fs::path folder = FolderOf(fs::path(target_));
  const std::string stem = ".tarnvik-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100 && !fd_.valid(); ++attempt) {
    const fs::path candidate = folder / (stem + std::to_string(attempt) + ".tmp");
    // Mode 0666 lets the umask decide, as for any new file.
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
    if (fd >= 0) {
      fd_.reset(fd);
      temporary_ = candidate.string();
    }
  }
  if (!fd_.valid()) return false;
  if (targetExists_) keepOwnership();
  return true;
}

// Best effort: only root may give a file away, and some file systems keep no
// owners or modes at all; the content matters more than either.
void AtomicFile::keepOwnership() const {
  if (::fchown(fd_.get(), oldOwner_, oldGroup_) != 0) {
    // The replacement stays ours.
  }
  if (::fchmod(fd_.get(), oldMode_) != 0) {
    // The replacement keeps the mode it was created with.
  }
}

void AtomicFile::write(std::string_view bytes) {
  if (inPlace_ && bytes.size() > kMaxInPlaceSize - buffer_.size()) fail();
  buffer_.append(bytes);
  if (!inPlace_ && buffer_.size() >= kBufferSize) flush();
}

void AtomicFile::flush() {
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    const ssize_t count = ::write(fd_.get(), rest.data(), rest.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) fail();
    rest.remove_prefix(static_cast<std::size_t>(count));
  }
  buffer_.clear();
}

void AtomicFile::commit() {
  if (inPlace_) return rewriteInPlace();
  flush();
  if (::fsync(fd_.get()) != 0) fail();
  if (::close(fd_.release()) != 0) fail();
  putInPlace();
  committed_ = true;
  SyncFolder(FolderOf(fs::path(target_)));
}

// Only the file that was checked, and read for the lines to keep, is
// replaced; where there was none, or it has gone, no file that appeared
// meanwhile is. (A change in the instant between this look and the rename
// cannot be caught: a rename cannot be made to depend on the file it replaces.)
void AtomicFile::putInPlace() const {
  struct stat info {};
  if (::lstat(target_.c_str(), &info) == 0) {
    if (!targetExists_ || !sameAsChecked(info)) fail();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail();
    return;
  }
  if (errno != ENOENT) fail();
  if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) return;
  // A file system that cannot refuse to replace has just been seen without the file.
  if ((errno != EINVAL && errno != ENOSYS) || ::rename(temporary_.c_str(), target_.c_str()) != 0) fail();
}

// The same file as checked, not one put in its place or rewritten meanwhile
// (nor a pipe, whose opening could wait).
void AtomicFile::rewriteInPlace() {
  UniqueFd fd(::open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0) fail();
  if (!sameAsChecked(info) || !S_ISREG(info.st_mode)) fail();
  reserveRoom(fd.get(), info.st_size);
  const auto length = static_cast<off_t>(buffer_.size());
  fd_.reset(fd.release());
  flush();
  if (::ftruncate(fd_.get(), length) != 0) fail();
  if (::fsync(fd_.get()) != 0) fail();
  if (::close(fd_.release()) != 0) fail();
  committed_ = true;
}

// Takes the disk space for a longer content before anything is overwritten;
// when there is none, the file is set back to its old length, untouched.
void AtomicFile::reserveRoom(int fd, off_t oldSize) const {
  const auto newSize = static_cast<off_t>(buffer_.size());
  if (newSize <= oldSize) return;
  if (::posix_fallocate(fd, oldSize, newSize - oldSize) == 0) return;
  if (::ftruncate(fd, oldSize) != 0) {
    // Nothing more can be done; the old content itself was not touched.
  }
  fail();
}

}  // namespace tarnvik
