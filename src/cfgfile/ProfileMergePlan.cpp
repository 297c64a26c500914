#include "cfgfile/ProfileMergePlan.h"

namespace tarnvik::ini {

namespace {

void AppendKeyLine(std::string& to, const std::string& key, const std::string& value) {
  to.append(key).append("=").append(value).append(kLineEnd);
}

}  // namespace

// Writes mostly come section by section: a key of the section before is
// placed without looking its section up.
ProfileMergePlan::ProfileMergePlan(const std::vector<ProfileEntry>& entries, const ProfileEntryIndex& index)
    : entries_(entries), index_(index), keys_(entries.size()) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && entries[i].section == entries[i - 1].section) {
      keys_[i].section = keys_[i - 1].section;
      continue;
    }
    const auto [at, added] = sectionIndex_.try_emplace(entries[i].section, sections_.size());
    if (added) sections_.push_back({entries[i].section, ProfileEntryIndex::SectionHash(entries[i].section)});
    keys_[i].section = at->second;
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
  const SectionPlace& section = sections_[current_];
  const std::size_t hash = ProfileEntryIndex::KeyHash(section.hash, line.name);
  const std::size_t found = index_.find(entries_, hash, section.name, line.name);
  if (found == ProfileEntryIndex::kNone || keys_[found].found) return;
  KeyPlace& key = keys_[found];
  key.found = true;
  key.line = line_;
  replaced_.emplace_back(line_, found);
  if (line.name != entries_[found].key) key.spelling = line.name;
}

void ProfileMergePlan::settle() {
  std::vector<std::string> added(sections_.size());  // new sections' key lines, by section
  for (std::size_t i = 0; i < entries_.size(); ++i) place(entries_[i], keys_[i], added);
  listChanges();
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (sections_[s].found) continue;
    appendix_.append("[").append(sections_[s].name).append("]").append(kLineEnd).append(added[s]);
  }
}

void ProfileMergePlan::place(const ProfileEntry& entry, const KeyPlace& key, std::vector<std::string>& added) {
  const SectionPlace& section = sections_[key.section];
  if (key.found) return;
  AppendKeyLine(section.found ? insertions_[section.lastContent] : added[key.section], entry.key, entry.value);
}

// The replaced lines and the lines with insertions after them, merged by line.
void ProfileMergePlan::listChanges() {
  auto r = replaced_.begin();
  auto inserted = insertions_.begin();
  while (r != replaced_.end() || inserted != insertions_.end()) {
    const bool replaces = r != replaced_.end() && (inserted == insertions_.end() || r->first <= inserted->first);
    const bool inserts = inserted != insertions_.end() && (r == replaced_.end() || inserted->first <= r->first);
    Change change{replaces ? r->first : inserted->first, std::nullopt, {}};
    if (replaces) change.replacement = replacementOf((r++)->second);
    if (inserts) change.insertion = (inserted++)->second;
    changes_.push_back(change);
  }
}

ProfileMergePlan::Replacement ProfileMergePlan::replacementOf(std::size_t entry) const {
  const KeyPlace& key = keys_[entry];
  return Replacement{key.spelling.empty() ? std::string_view(entries_[entry].key) : key.spelling,
                     entries_[entry].value};
}

}  // namespace tarnvik::ini
