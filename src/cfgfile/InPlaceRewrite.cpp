#include "cfgfile/InPlaceRewrite.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "cfgfile/ConfigFileKeys.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/RewritableFile.h"
#include "platform/StagedFile.h"

namespace tarnvik {

namespace fs = std::filesystem;
using platform::PathOf;
using platform::TextOf;

namespace {

// One disk sector: the most a disk is trusted to write whole.
constexpr std::size_t kMaxHead = 512;
// Room for the tag in a name that may already be the longest a folder takes.
constexpr std::size_t kMaxCopyName = 200;

// The first section of a name counts, so a file that starts with this section
// names another application whatever follows.
std::string MarkStart() { return std::string("[") + kIdentitySection + "]\r\nApplication=unfinished save; "; }

std::string Tag(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

std::string CannotKeep(const fs::path& folder, const std::string& why) {
  return "no copy of the old content can be kept in " + TextOf(folder) + ": " + why;
}

// A folder on the way to the copies: the entry itself and, if it is a link,
// what it leads to.
std::string Trusted(const fs::path& folder) {
  if (std::string why = platform::ForeignAccess(TextOf(folder)); !why.empty()) return why;
  std::error_code error;
  const fs::path real = fs::canonical(folder, error);
  if (error) return CannotKeep(folder, error.message());
  return real == folder ? std::string() : platform::ForeignAccess(TextOf(real));
}

// The folder of the copies and the two above it, from the cache folder down:
// each made when missing (private to the user), and looked at before anything
// is made in it; the last one private to the user in any case.
std::string PrepareFolder(const fs::path& folder) {
  const fs::path root = folder.parent_path().parent_path();
  for (const fs::path& level : {root, folder.parent_path(), folder}) {
    std::error_code error;
    const bool made = level == root ? fs::create_directories(level, error) : fs::create_directory(level, error);
    if (made && !error) fs::permissions(level, fs::perms::owner_all, error);  // whatever the umask lets others do
    if (error) return CannotKeep(folder, error.message());
    if (std::string why = Trusted(level); !why.empty()) return why;
  }
  if (std::string why = platform::MakePrivate(TextOf(folder)); !why.empty()) return CannotKeep(folder, why);
  return {};
}

}  // namespace

InPlaceRewrite::InPlaceRewrite(platform::RewritableFile& file, const std::string& target, std::string oldContent,
                               const platform::Ownership& ownership, StepHook hook)
    : file_(file), copy_(CopyFor(target)), old_(std::move(oldContent)), ownership_(ownership), hook_(std::move(hook)) {}

std::string InPlaceRewrite::CopyFor(const std::string& target) {
  const std::string cache = platform::UserCacheFolder();
  if (cache.empty()) return {};
  std::error_code error;
  const fs::path absolute = fs::absolute(PathOf(target), error);
  const std::string name = TextOf(PathOf(target).filename()).substr(0, kMaxCopyName);
  return TextOf(PathOf(cache) / "tarnvik" / "in-place" / PathOf(name + "~" + Tag(TextOf(absolute))));
}

std::string InPlaceRewrite::Mark(const std::string& copy) {
  const std::string mark = MarkStart() + "the old file is kept in " + copy + "\r\n";
  const bool plain = copy.find_first_of("\r\n") == std::string::npos;
  return plain && mark.size() <= kMaxHead ? mark : MarkStart() + "the old file is kept in the cache folder\r\n";
}

void InPlaceRewrite::step(Step done) const {
  if (hook_) hook_(done);
}

std::string InPlaceRewrite::run(std::string_view next) {
  if (std::string why = keepCopy(); !why.empty()) return why;
  step(Step::CopyKept);
  const std::string mark = Mark(copy_);
  const std::size_t head = std::min(mark.size(), next.size());
  if (!file_.writeAt(0, mark) || !file_.sync()) return undo(file_.error());
  step(Step::Marked);
  if (!file_.reserve(std::max(mark.size(), next.size()))) return undo(file_.error());
  step(Step::RoomTaken);
  if (!file_.writeAt(head, next.substr(head))) return undo(file_.error());
  step(Step::BodyWritten);
  if (!file_.truncate(next.size())) return undo(file_.error());
  step(Step::Truncated);
  if (!file_.sync()) return undo(file_.error());
  step(Step::Synced);
  if (!file_.writeAt(0, next.substr(0, head)) || !file_.sync()) return undo(file_.error());
  step(Step::HeadWritten);
  dropCopy();
  step(Step::CopyDropped);
  return {};
}

// The copy is written beside its place and takes it whole, replacing what a
// killed rewrite may have left there; it takes the file's permissions before
// it holds any of the content.
std::string InPlaceRewrite::keepCopy() {
  if (copy_.empty()) return "no copy of the old content can be kept: the user has no cache folder";
  const fs::path folder = PathOf(copy_).parent_path();
  if (std::string why = PrepareFolder(folder); !why.empty()) return why;
  std::error_code error;
  earlierCopy_ = old_.starts_with(MarkStart()) && fs::exists(PathOf(copy_), error);
  if (earlierCopy_) return {};
  platform::StagedFile staged(TextOf(folder));
  if (!staged.isOpen()) return CannotKeep(folder, staged.error());
  staged.keep(ownership_);
  if (!staged.write(old_) || !staged.finish()) return CannotKeep(folder, staged.error());
  if (staged.replace(copy_) != platform::StagedFile::Placed::Done) return CannotKeep(folder, staged.error());
  return {};
}

std::string InPlaceRewrite::undo(const std::string& why) {
  if (file_.writeAt(0, old_) && file_.truncate(old_.size()) && file_.sync()) {
    dropCopy();
    return why;
  }
  return why + "; the old content is kept in " + copy_;
}

void InPlaceRewrite::dropCopy() const {
  std::error_code ignored;
  if (!earlierCopy_) fs::remove(PathOf(copy_), ignored);
}

}  // namespace tarnvik
