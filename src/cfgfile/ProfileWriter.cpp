#include "cfgfile/ProfileWriter.h"

#include <algorithm>
#include <stdexcept>

#include "cfgfile/AtomicFile.h"
#include "cfgfile/IniText.h"
#include "cfgfile/ProfileMergePlan.h"
#include "cfgfile/ProfileMerger.h"

namespace tarnvik::ini {

namespace {

// Each a search for one byte (memchr), not a test of every byte.
bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

void ReplaceAll(std::string& text, char c, char by) {
  for (std::size_t at = text.find(c); at != std::string::npos; at = text.find(c, at + 1)) text[at] = by;
}

void CheckName(std::string_view name, bool isKey) {
  const bool fits = !name.empty() && name.size() <= kMaxNameLength && TrimBlanks(name) == name;
  const bool plain = !Holds(name, '\r') && !Holds(name, '\n') && !Holds(name, '\0');
  const bool keyLike = !isKey || (!Holds(name, '=') && name.front() != '[');
  if (!fits || !plain || !keyLike) throw std::logic_error("unusable profile name '" + std::string(name) + "'");
}

void CleanInto(std::string& to, std::string_view value) {
  to.assign(value.substr(0, value.find('\0')));
  ReplaceAll(to, '\r', ' ');
  ReplaceAll(to, '\n', ' ');
}

std::string Clean(std::string_view value) {
  std::string clean;
  CleanInto(clean, value);
  return clean;
}

}  // namespace

void ProfileWriter::write(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section, false);
  CheckName(key, true);
  std::string clean = Clean(value);
  const std::size_t hash = ProfileEntryIndex::KeyHash(ProfileEntryIndex::SectionHash(section), key);
  if (const std::size_t earlier = index_.find(entries_, hash, section, key); earlier != ProfileEntryIndex::kNone) {
    entries_[earlier].value = std::move(clean);
    return;
  }
  index_.add(hash, entries_.size());
  entries_.push_back({std::string(section), std::string(key), std::move(clean)});
  sections_.addEntry(section);
}

void ProfileWriter::setValue(std::size_t entry, std::string_view value) { CleanInto(entries_.at(entry).value, value); }

void ProfileWriter::commit(const std::string& path) const {
  if (entries_.empty()) return;
  AtomicFile out(path);
  ProfileMergePlan plan(entries_, index_, sections_);
  if (out.targetExists() && !plan.scan(out.target())) out.fail();
  plan.settle();
  ProfileMerger merger(plan, [&out](std::string_view bytes) { out.write(bytes); });
  if (out.targetExists() && !merger.copy(out.target())) out.fail();
  merger.finish();
  out.commit();
}

std::string ProfileWriter::newFileText() const {
  ProfileMergePlan plan(entries_, index_, sections_);
  plan.settle();
  return plan.appendix();
}

std::string ProfileWriter::mergedText(std::string_view existing) const {
  ProfileMergePlan plan(entries_, index_, sections_);
  plan.scanText(existing);
  plan.settle();
  std::string merged;
  merged.reserve(existing.size() + plan.appendix().size());
  ProfileMerger merger(plan, [&merged](std::string_view bytes) { merged += bytes; });
  merger.copyText(existing);
  merger.finish();
  return merged;
}

}  // namespace tarnvik::ini
