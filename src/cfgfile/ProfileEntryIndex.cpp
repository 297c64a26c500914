#include "cfgfile/ProfileEntryIndex.h"

#include <algorithm>
#include <utility>

#include "cfgfile/IniText.h"

namespace tarnvik::ini {

std::size_t ProfileEntryIndex::SectionHash(std::string_view section) { return NoCaseHash{}(section); }

std::size_t ProfileEntryIndex::KeyHash(std::size_t sectionHash, std::string_view key) {
  return sectionHash ^ (NoCaseHash{}(key) + 0x9e3779b97f4a7c15ull + (sectionHash << 6) + (sectionHash >> 2));
}

std::size_t ProfileEntryIndex::find(const std::vector<ProfileEntry>& entries, std::size_t keyHash,
                                    std::string_view section, std::string_view key) const {
  if (slots_.empty()) return kNone;
  for (std::size_t at = first(keyHash); slots_[at].entry != kNone; at = next(at)) {
    const Slot& slot = slots_[at];
    if (slot.hash != keyHash) continue;
    const ProfileEntry& entry = entries[slot.entry];
    if (EqualNoCase(entry.key, key) && EqualNoCase(entry.section, section)) return slot.entry;
  }
  return kNone;
}

void ProfileEntryIndex::add(std::size_t keyHash, std::size_t entry) {
  if (2 * (used_ + 1) > slots_.size()) {
    std::vector<Slot> old(std::max<std::size_t>(64, 2 * slots_.size()));
    std::swap(old, slots_);
    for (const Slot& slot : old)
      if (slot.entry != kNone) place(slot);
  }
  place({keyHash, entry});
  ++used_;
}

void ProfileEntryIndex::place(const Slot& slot) {
  std::size_t at = first(slot.hash);
  while (slots_[at].entry != kNone) at = next(at);
  slots_[at] = slot;
}

}  // namespace tarnvik::ini
