#pragma once
// The entries a profile writer queued, found by section and key name without
// regard to case. An open-addressed table of entry numbers, each slot holding
// its entry's hash, so that a write finds an earlier write of the same key at
// once and a merge finds the entry of a key line in the file without building
// an index of its own: the configuration file's save queues over two hundred
// keys each time.

#include <cstddef>
#include <string_view>
#include <vector>

#include "cfgfile/ProfileEntry.h"

namespace tarnvik::ini {

class ProfileEntryIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // The hash of a section's name, and of a key of that section, both without
  // regard to case; the section's hash is made once for all its keys.
  static std::size_t SectionHash(std::string_view section);
  static std::size_t KeyHash(std::size_t sectionHash, std::string_view key);

  // The number of the entry of `entries` with that section and key, or kNone.
  std::size_t find(const std::vector<ProfileEntry>& entries, std::size_t keyHash, std::string_view section,
                   std::string_view key) const;
  // Adds entry number `entry`, which find does not know yet.
  void add(std::size_t keyHash, std::size_t entry);

 private:
  struct Slot {
    std::size_t hash = 0;
    std::size_t entry = kNone;
  };
  std::size_t first(std::size_t hash) const { return hash & (slots_.size() - 1); }
  std::size_t next(std::size_t at) const { return (at + 1) & (slots_.size() - 1); }
  void place(const Slot& slot);

  std::vector<Slot> slots_;  // a power of two in size, never more than half full
  std::size_t used_ = 0;
};

}  // namespace tarnvik::ini
