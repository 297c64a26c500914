#pragma once
// The keys a profile reader looks for, each with a number, by section. Made
// once for a set of names and shared by every reader of that set, so that a
// read costs nothing per wanted name beyond the values it finds. Names match
// without regard to case; of two wanted names that differ only in case, the
// first stands for both.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/IniText.h"

namespace tarnvik::ini {

struct KeyName {
  std::string section;
  std::string key;
};

class ProfileKeys {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  explicit ProfileKeys(std::span<const KeyName> names);

  std::size_t sectionCount() const { return sections_.size(); }
  std::size_t keyCount() const { return keyCount_; }
  // The number of a wanted section, or kNone.
  std::size_t section(std::string_view name) const;
  // The number of a wanted key of section number `section`, or kNone.
  std::size_t key(std::size_t section, std::string_view name) const;

 private:
  // The keys of all sections in one open-addressed table, each slot with its
  // hash, at most half full: a key line of a file costs one hash of its name.
  struct Slot {
    std::size_t hash = 0;
    std::size_t section = kNone;
    std::size_t number = kNone;
    std::string name;
  };
  static std::size_t Hash(std::size_t section, std::string_view name);
  // The slot of that key, or the empty slot where it would go.
  std::size_t slotFor(std::size_t section, std::size_t hash, std::string_view name) const;

  NoCaseMap<std::size_t> sections_;
  std::vector<Slot> slots_;
  std::size_t keyCount_ = 0;
};

}  // namespace tarnvik::ini
