#include "cfgfile/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/OperationError.h"
#include "platform/FileSystem.h"

namespace tarnvik {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinks = 40;  // as the kernel's own limit on link chains

const char* const kChanged = "changed by another program meanwhile";
const char* const kNotRegular = "not a regular file";
const char* const kTooLarge = "the folder takes no new file and the file is too large to rewrite in place";

std::string SystemError() { return std::strerror(errno); }

// Makes the rename itself durable; a failure here cannot undo the save.
void SyncFolder(const fs::path& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

platform::FileId IdOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

}  // namespace

// checkTarget has already refused a target that exists but may not be written.
AtomicFile::AtomicFile(const std::string& path, InPlaceRewrite::StepHook hook)
    : shownPath_(path), target_(path), hook_(std::move(hook)) {
  resolveTarget();
  changeLock_ = platform::FileLock::LockForChange(target_, kChangeWait);
  if (changeLock_.status() == platform::FileLock::Status::Busy) fail(changeLock_.reason());
  checkTarget();
  if (createTemporary()) return;
  const std::string why = SystemError();
  if (!targetExists_) fail(why);
  inPlace_ = true;
}

AtomicFile::~AtomicFile() {
  if (fd_.valid()) ::close(fd_.release());
  if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::fail(const std::string& reason) const { throw FileWriteError(shownPath_, reason); }

void AtomicFile::fail() const { fail(errno != 0 ? SystemError() : std::string()); }

platform::FileLock AtomicFile::LockForChange(const std::string& path) {
  platform::FileLock lock = platform::FileLock::LockForChange(path, kChangeWait);
  if (lock.status() == platform::FileLock::Status::Busy) throw FileWriteError(path, lock.reason());
  return lock;
}

// Each link on the way must pass the rule for links in shared folders.
void AtomicFile::resolveTarget() {
  fs::path file = target_;
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    if (const std::string refusal = platform::LinkRefusal(file.string()); !refusal.empty()) fail(refusal);
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error))) {
      target_ = file.string();
      return;
    }
    const fs::path link = fs::read_symlink(file, error);
    if (error) fail(error.message());
    file = link.is_absolute() ? link : FolderOf(file) / link;
  }
  fail(std::strerror(ELOOP));
}

// Root may write to any file, but a file marked read-only must stay as it is
// for every user, as it does on systems with a read-only attribute.
void AtomicFile::checkTarget() {
  struct stat info {};
  if (::stat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT) fail(SystemError());
    return;
  }
  if (!S_ISREG(info.st_mode)) fail(kNotRegular);
  if ((info.st_mode & 0222) == 0) fail(std::strerror(EACCES));
  if (::access(target_.c_str(), W_OK) != 0) fail(SystemError());
  targetExists_ = true;
  oldMode_ = info.st_mode & 07777;
  oldOwner_ = info.st_uid;
  oldGroup_ = info.st_gid;
  checked_ = IdOf(info);
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
  if (inPlace_ && bytes.size() > kMaxInPlaceSize - buffer_.size()) fail(kTooLarge);
  buffer_.append(bytes);
  if (!inPlace_ && buffer_.size() >= kBufferSize) flush();
}

void AtomicFile::flush() {
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    const ssize_t count = ::write(fd_.get(), rest.data(), rest.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) fail(count < 0 ? SystemError() : std::strerror(EIO));
    rest.remove_prefix(static_cast<std::size_t>(count));
  }
  buffer_.clear();
}

void AtomicFile::commit() {
  if (inPlace_) return rewriteInPlace();
  flush();
  if (::fsync(fd_.get()) != 0) fail(SystemError());
  if (::close(fd_.release()) != 0) fail(SystemError());
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
    if (!targetExists_ || IdOf(info) != checked_) fail(kChanged);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(SystemError());
    return;
  }
  if (errno != ENOENT) fail(SystemError());
  if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) return;
  if (errno == EEXIST) fail(kChanged);
  // A file system that cannot refuse to replace has just been seen without the file.
  if (errno != EINVAL && errno != ENOSYS) fail(SystemError());
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(SystemError());
}

// The same file as checked, not one put in its place or rewritten meanwhile
// (nor a pipe, whose opening could wait).
void AtomicFile::rewriteInPlace() {
  platform::RewritableFile file(target_);
  platform::FileId now;
  if (!file.isOpen() || !file.identify(now)) fail(file.error());
  if (now != checked_) fail(kChanged);
  std::string old;
  if (!file.readAll(kMaxInPlaceSize, old)) fail(file.error());
  if (old.size() > kMaxInPlaceSize) fail(kTooLarge);
  const std::string why = InPlaceRewrite(file, target_, std::move(old), hook_).run(buffer_);
  if (!why.empty()) fail(why);
  committed_ = true;
  if (!file.close()) {
    // The content was synced; a late error of the close changes nothing of it.
  }
}

}  // namespace tarnvik
