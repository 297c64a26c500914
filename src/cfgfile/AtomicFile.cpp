#include "cfgfile/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/OperationError.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/RewritableFile.h"

namespace tarnvik {

namespace fs = std::filesystem;
using platform::FileStatus;
using platform::Links;
using platform::PathOf;
using platform::TextOf;

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kMaxLinks = 40;  // as the kernel's own limit on link chains

const char* const kChanged = "changed by another program meanwhile";
using platform::kNotRegular;
const char* const kTooLarge = "the folder takes no new file and the file is too large to rewrite in place";

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// The file a save at `path` replaces: each link on the way followed, if it
// passes the rule for links in shared folders. Empty, with `why`, when not.
std::string Resolved(const std::string& path, std::string& why) {
  fs::path file = PathOf(path);
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    if (why = platform::LinkRefusal(TextOf(file)); !why.empty()) return {};
    const platform::LinkRead link = platform::ReadLink(TextOf(file));
    if (!link.isLink) return TextOf(file);
    if (!link.error.empty()) {
      why = link.error;
      return {};
    }
    const fs::path to = PathOf(link.target);
    file = to.is_absolute() ? to : FolderOf(file) / to;
  }
  why = std::strerror(ELOOP);
  return {};
}

// Why the entry at `target` may not be replaced; empty when it may, or when
// there is none. Root may write to any file, but a file marked read-only must
// stay as it is for every user, as it does on systems with a read-only
// attribute.
std::string TargetRefusal(const std::string& target, const FileStatus& status) {
  switch (status.kind) {
    case FileStatus::Kind::Missing: return {};
    case FileStatus::Kind::Unknown: return status.error;
    case FileStatus::Kind::Regular: break;
    default: return kNotRegular;
  }
  if (status.readOnly) return std::strerror(EACCES);
  return platform::WriteRefusal(target);
}

// Why no new file can be made in `folder`; empty when one can, as far as can
// be told without making one.
std::string FolderRefusal(const std::string& folder) {
  const FileStatus status = platform::StatusOf(folder, Links::Follow);
  switch (status.kind) {
    case FileStatus::Kind::Folder: return platform::WriteRefusal(folder);
    case FileStatus::Kind::Missing: return std::strerror(ENOENT);
    case FileStatus::Kind::Unknown: return status.error;
    default: return std::strerror(ENOTDIR);
  }
}

}  // namespace

// checkTarget has already refused a target that exists but may not be written.
AtomicFile::AtomicFile(const std::string& path, InPlaceRewrite::StepHook hook)
    : shownPath_(path), target_(path), hook_(std::move(hook)) {
  resolveTarget();
  changeLock_ = platform::FileLock::LockForChange(target_, kChangeWait);
  if (changeLock_.status() == platform::FileLock::Status::Busy) fail(changeLock_.reason());
  checkTarget();
  staged_ = std::make_unique<platform::StagedFile>(TextOf(FolderOf(PathOf(target_))));
  if (staged_->isOpen()) {
    if (targetExists_) staged_->keep(oldOwnership_);
    return;
  }
  if (!targetExists_) fail(staged_->error());
  inPlace_ = true;
}

AtomicFile::~AtomicFile() = default;

void AtomicFile::fail(const std::string& reason) const { throw FileWriteError(shownPath_, reason); }

void AtomicFile::fail() const { fail(errno != 0 ? std::strerror(errno) : std::string()); }

platform::FileLock AtomicFile::LockForChange(const std::string& path) {
  platform::FileLock lock = platform::FileLock::LockForChange(path, kChangeWait);
  if (lock.status() == platform::FileLock::Status::Busy) throw FileWriteError(path, lock.reason());
  return lock;
}

std::string AtomicFile::Refusal(const std::string& path) {
  std::string why;
  const std::string target = Resolved(path, why);
  if (!why.empty()) return why;
  const FileStatus status = platform::StatusOf(target, Links::Follow);
  if (status.kind != FileStatus::Kind::Missing) return TargetRefusal(target, status);
  return FolderRefusal(TextOf(FolderOf(PathOf(target))));
}

void AtomicFile::resolveTarget() {
  std::string why;
  target_ = Resolved(shownPath_, why);
  if (!why.empty()) fail(why);
}

void AtomicFile::checkTarget() {
  const FileStatus status = platform::StatusOf(target_, Links::Follow);
  if (const std::string why = TargetRefusal(target_, status); !why.empty()) fail(why);
  if (status.kind == FileStatus::Kind::Missing) return;
  targetExists_ = true;
  oldOwnership_ = status.ownership;
  checked_ = status.id;
}

void AtomicFile::removeOld() {
  if (!targetExists_) return;
  const FileStatus now = platform::StatusOf(target_, Links::Keep);
  if (now.kind == FileStatus::Kind::Missing) return;
  if (now.id != checked_) fail(kChanged);
  if (inPlace_) fail(std::strerror(EACCES));  // the folder takes no new file, so it lets none go either
  std::error_code error;
  fs::remove(PathOf(target_), error);  // gone meanwhile is as good as removed
  if (error) fail(error.message());
  platform::SyncFolder(TextOf(FolderOf(PathOf(target_))));
  targetExists_ = false;
}

void AtomicFile::write(std::string_view bytes) {
  if (inPlace_ && bytes.size() > kMaxInPlaceSize - buffer_.size()) fail(kTooLarge);
  buffer_.append(bytes);
  if (!inPlace_ && buffer_.size() >= kBufferSize) flush();
}

void AtomicFile::flush() {
  if (!staged_->write(buffer_)) fail(staged_->error());
  buffer_.clear();
}

void AtomicFile::commit() {
  if (inPlace_) return rewriteInPlace();
  flush();
  if (!staged_->finish()) fail(staged_->error());
  putInPlace();
}

// Only the file that was checked, and read for the lines to keep, is
// replaced; where there was none, or it has gone, no file that appeared
// meanwhile is. (A change in the instant between this look and the rename
// cannot be caught: a rename cannot be made to depend on the file it replaces.)
void AtomicFile::putInPlace() {
  const FileStatus now = platform::StatusOf(target_, Links::Keep);
  if (now.kind == FileStatus::Kind::Unknown) fail(now.error);
  if (now.kind != FileStatus::Kind::Missing) {
    if (!targetExists_ || now.id != checked_) fail(kChanged);
    if (staged_->replace(target_) != platform::StagedFile::Placed::Done) fail(staged_->error());
    return;
  }
  switch (staged_->create(target_)) {
    case platform::StagedFile::Placed::Done: return;
    case platform::StagedFile::Placed::Taken: fail(kChanged);
    case platform::StagedFile::Placed::Failed: fail(staged_->error());
  }
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
  const std::string why = InPlaceRewrite(file, target_, std::move(old), oldOwnership_, hook_).run(buffer_);
  if (!why.empty()) fail(why);
  if (!file.close()) {
    // The content was synced; a late error of the close changes nothing of it.
  }
}

}  // namespace tarnvik
