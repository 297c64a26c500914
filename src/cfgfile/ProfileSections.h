#pragma once
// The sections a profile writer's entries belong to, each with a number in
// the order of its first entry, found by name without regard to case (the
// first spelling stands for all), and the section of each entry. Kept by the
// writer as it queues entries, so that a merge, which needs them for every
// file it writes, never lists them anew.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/IniText.h"

namespace tarnvik::ini {

class ProfileSections {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Records the section of the next entry, which is added when it is new.
  void addEntry(std::string_view section);
  // The section number of entry number `entry`.
  std::size_t ofEntry(std::size_t entry) const { return ofEntry_[entry]; }
  // The number of section `name`, or kNone.
  std::size_t find(std::string_view name) const;

  std::size_t size() const { return sections_.size(); }
  const std::string& name(std::size_t section) const { return sections_[section].name; }
  // ProfileEntryIndex::SectionHash of the name.
  std::size_t hash(std::size_t section) const { return sections_[section].hash; }

 private:
  struct Section {
    std::string name;
    std::size_t hash = 0;
  };
  std::vector<Section> sections_;
  NoCaseMap<std::size_t> numbers_;
  std::vector<std::size_t> ofEntry_;
};

}  // namespace tarnvik::ini
