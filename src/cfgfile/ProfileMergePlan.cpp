#include "cfgfile/ProfileMergePlan.h"

namespace tarnvik::ini {

namespace {

void AppendKeyLine(std::string& to, const std::string& key, const std::string& value) {
  to.append(key).append("=").append(value).append(kLineEnd);
}

}  // namespace

ProfileMergePlan::ProfileMergePlan(const std::vector<ProfileEntry>& entries, const ProfileEntryIndex& index,
                                   const ProfileSections& sections)
    : entries_(entries), index_(index), sections_(sections), places_(sections.size()), keys_(entries.size()) {}

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
  if (!line.nameMatchable()) return;
  const std::size_t found = sections_.find(line.name);
  if (found == ProfileSections::kNone || places_[found].found) return;
  current_ = found;
  inSection_ = true;
  places_[current_].found = true;
  places_[current_].lastContent = line_;
}

void ProfileMergePlan::locateKey(const IniLine& line) {
  places_[current_].lastContent = line_;
  if (line.kind != IniLine::Kind::Key || !line.nameMatchable()) return;
  const std::size_t hash = ProfileEntryIndex::KeyHash(sections_.hash(current_), line.name);
  const std::size_t found = index_.find(entries_, hash, sections_.name(current_), line.name);
  if (found == ProfileEntryIndex::kNone || keys_[found].found) return;
  KeyPlace& key = keys_[found];
  key.found = true;
  key.line = line_;
  replaced_.emplace_back(line_, found);
  if (line.name != entries_[found].key) key.spelling = line.name;
}

void ProfileMergePlan::settle() {
  std::vector<std::string> added(sections_.size());  // new sections' key lines, by section
  for (std::size_t i = 0; i < entries_.size(); ++i) place(i, added);
  listChanges();
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (places_[s].found) continue;
    appendix_.append("[").append(sections_.name(s)).append("]").append(kLineEnd).append(added[s]);
  }
}

void ProfileMergePlan::place(std::size_t entry, std::vector<std::string>& added) {
  if (keys_[entry].found) return;
  const std::size_t s = sections_.ofEntry(entry);
  const SectionPlace& section = places_[s];
  AppendKeyLine(section.found ? insertions_[section.lastContent] : added[s], entries_[entry].key,
                entries_[entry].value);
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
