#include "cfgfile/ProfileSections.h"

#include "cfgfile/ProfileEntryIndex.h"

namespace tarnvik::ini {

// Entries mostly come section by section: a name spelled as the last
// section's is that section without a look-up.
void ProfileSections::addEntry(std::string_view section) {
  if (!sections_.empty() && sections_.back().name == section) {
    ofEntry_.push_back(sections_.size() - 1);
    return;
  }
  const auto [at, added] = numbers_.try_emplace(std::string(section), sections_.size());
  if (added) sections_.push_back({std::string(section), ProfileEntryIndex::SectionHash(section)});
  ofEntry_.push_back(at->second);
}

std::size_t ProfileSections::find(std::string_view name) const {
  const auto found = numbers_.find(name);
  return found == numbers_.end() ? kNone : found->second;
}

}  // namespace tarnvik::ini
