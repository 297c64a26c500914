#include "cfgfile/ProfileWriter.h"

#include <algorithm>
#include <stdexcept>

#include "cfgfile/AtomicFile.h"
#include "cfgfile/IniText.h"
#include "cfgfile/ProfileMergePlan.h"
#include "cfgfile/ProfileMerger.h"

namespace tarnvik::ini {

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsLineBreakOrNul(char c) { return IsLineBreak(c) || c == '\0'; }

void CheckName(std::string_view name, bool isKey) {
  const bool fits = !name.empty() && name.size() <= kMaxNameLength && TrimBlanks(name) == name;
  const bool plain = std::none_of(name.begin(), name.end(), IsLineBreakOrNul);
  const bool keyLike = !isKey || (name.find('=') == std::string_view::npos && name.front() != '[');
  if (!fits || !plain || !keyLike) throw std::logic_error("unusable profile name '" + std::string(name) + "'");
}

std::size_t KeyHash(std::string_view section, std::string_view key) {
  const std::size_t s = NoCaseHash{}(section);
  return s ^ (NoCaseHash{}(key) + 0x9e3779b97f4a7c15ull + (s << 6) + (s >> 2));
}

}  // namespace

void ProfileWriter::write(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section, false);
  CheckName(key, true);
  std::string clean(value.substr(0, value.find('\0')));
  std::replace_if(clean.begin(), clean.end(), IsLineBreak, ' ');
  const std::size_t hash = KeyHash(section, key);
  for (auto [at, end] = index_.equal_range(hash); at != end; ++at) {
    ProfileEntry& entry = entries_[at->second];
    if (EqualNoCase(entry.section, section) && EqualNoCase(entry.key, key)) {
      entry.value = std::move(clean);
      return;
    }
  }
  index_.emplace(hash, entries_.size());
  entries_.push_back({std::string(section), std::string(key), std::move(clean)});
}

void ProfileWriter::commit(const std::string& path) const {
  if (entries_.empty()) return;
  AtomicFile out(path);
  ProfileMergePlan plan(entries_);
  if (out.targetExists() && !plan.scan(out.target())) out.fail();
  plan.settle();
  ProfileMerger merger(plan, [&out](std::string_view bytes) { out.write(bytes); });
  if (out.targetExists() && !merger.copy(out.target())) out.fail();
  merger.finish();
  out.commit();
}

std::string ProfileWriter::newFileText() const {
  ProfileMergePlan plan(entries_);
  plan.settle();
  return plan.appendix();
}

std::string ProfileWriter::mergedText(std::string_view existing) const {
  ProfileMergePlan plan(entries_);
  plan.scanText(existing);
  plan.settle();
  std::string merged;
  ProfileMerger merger(plan, [&merged](std::string_view bytes) { merged += bytes; });
  merger.copyText(existing);
  merger.finish();
  return merged;
}

}  // namespace tarnvik::ini
