#include "cfgfile/ProfileMergePlan.h"

#include <algorithm>

namespace tarnvik::ini {

namespace {

std::string KeyLine(const std::string& key, const std::string& value) {
  return key + "=" + value + std::string(kLineEnd);
}

}  // namespace

ProfileMergePlan::ProfileMergePlan(const std::vector<ProfileEntry>& entries) : entries_(entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto [at, added] = sectionIndex_.try_emplace(entries[i].section, sections_.size());
    if (added) sections_.push_back({entries[i].section});
    keys_.emplace_back().section = at->second;
    keyIndex_.resize(sections_.size());
    keyIndex_[at->second].try_emplace(entries[i].key, i);
  }
}

bool ProfileMergePlan::scan(const std::string& path) { return ScanLines(path, *this); }

void ProfileMergePlan::scanText(std::string_view text) { ScanText(text, *this); }

void ProfileMergePlan::lineEnd(std::string_view) {
  const IniLine& line = scanner_.finish();
  if (line.kind == IniLine::Kind::Header)
    enterSection(line);
  else if (line.kind != IniLine::Kind::Blank && inSection_)
    locateKey(line);
  ++line_;
}

// Any header ends the current section; only the first header of a name
// starts one the writes care about.
void ProfileMergePlan::enterSection(const IniLine& line) {
  inSection_ = false;
  if (line.nameTooLong) return;
  const auto found = sectionIndex_.find(line.name);
  if (found == sectionIndex_.end() || sections_[found->second].found) return;
  current_ = found->second;
  inSection_ = true;
  sections_[current_].found = true;
  sections_[current_].lastContent = line_;
}

void ProfileMergePlan::locateKey(const IniLine& line) {
  sections_[current_].lastContent = line_;
  if (line.kind != IniLine::Kind::Key || line.nameTooLong) return;
  const auto found = keyIndex_[current_].find(line.name);
  if (found == keyIndex_[current_].end() || keys_[found->second].found) return;
  KeyPlace& key = keys_[found->second];
  key.found = true;
  key.line = line_;
  if (line.name != entries_[found->second].key) key.spelling = line.name;
}

void ProfileMergePlan::settle() {
  std::map<std::size_t, std::string> added;  // new sections' key lines, by section
  for (std::size_t i = 0; i < entries_.size(); ++i) place(entries_[i], keys_[i], added);
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (keys_[i].found) replaced_.emplace_back(keys_[i].line, i);
  std::sort(replaced_.begin(), replaced_.end());
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (sections_[s].found) continue;
    appendix_ += "[" + sections_[s].name + "]" + std::string(kLineEnd);
    appendix_ += added[s];
  }
}

void ProfileMergePlan::place(const ProfileEntry& entry, const KeyPlace& key,
                             std::map<std::size_t, std::string>& added) {
  const SectionPlace& section = sections_[key.section];
  if (key.found) return;
  if (section.found)
    insertions_[section.lastContent] += KeyLine(entry.key, entry.value);
  else
    added[key.section] += KeyLine(entry.key, entry.value);
}

std::optional<ProfileMergePlan::Replacement> ProfileMergePlan::replacement(std::uint64_t line) const {
  const auto at = std::lower_bound(replaced_.begin(), replaced_.end(), std::pair(line, std::size_t{0}));
  if (at == replaced_.end() || at->first != line) return std::nullopt;
  const KeyPlace& key = keys_[at->second];
  const ProfileEntry& entry = entries_[at->second];
  return Replacement{key.spelling.empty() ? std::string_view(entry.key) : key.spelling, entry.value};
}

const std::string& ProfileMergePlan::insertionAfter(std::uint64_t line) const {
  static const std::string none;
  const auto found = insertions_.find(line);
  return found == insertions_.end() ? none : found->second;
}

}  // namespace tarnvik::ini
