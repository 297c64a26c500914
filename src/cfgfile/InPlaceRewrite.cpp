#include "cfgfile/InPlaceRewrite.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "cfgfile/ConfigFileKeys.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/RewritableFile.h"

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

// The folder of the copies, created private to the user when missing.
std::string PrepareFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::create_directories(folder, error)) fs::permissions(folder, fs::perms::owner_all, error);
  if (error) return "no copy of the old content can be kept in " + TextOf(folder) + ": " + error.message();
  return platform::ForeignAccess(TextOf(folder));
}

}  // namespace

InPlaceRewrite::InPlaceRewrite(platform::RewritableFile& file, const std::string& target, std::string oldContent,
                               StepHook hook)
    : file_(file), copy_(CopyFor(target)), old_(std::move(oldContent)), hook_(std::move(hook)) {}

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

std::string InPlaceRewrite::keepCopy() {
  if (copy_.empty()) return "no copy of the old content can be kept: the user has no cache folder";
  if (std::string why = PrepareFolder(PathOf(copy_).parent_path()); !why.empty()) return why;
  std::error_code error;
  earlierCopy_ = old_.starts_with(MarkStart()) && fs::exists(PathOf(copy_), error);
  if (earlierCopy_) return {};
  fs::remove(PathOf(copy_), error);
  std::string why;
  if (platform::CreateIfAbsent(copy_, old_, why) != platform::CreateOutcome::Created)
    return "no copy of the old content can be kept: " + (why.empty() ? copy_ + " is in the way" : why);
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
