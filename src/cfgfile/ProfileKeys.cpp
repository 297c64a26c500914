#include "cfgfile/ProfileKeys.h"

namespace tarnvik::ini {

ProfileKeys::ProfileKeys(std::span<const KeyName> names) {
  std::size_t size = 8;
  while (size < 2 * names.size()) size *= 2;
  slots_.resize(size);
  for (const KeyName& name : names) {
    const std::size_t section = sections_.try_emplace(name.section, sections_.size()).first->second;
    const std::size_t hash = Hash(section, name.key);
    Slot& slot = slots_[slotFor(section, hash, name.key)];
    if (slot.number == kNone) slot = {hash, section, keyCount_++, name.key};
  }
}

std::size_t ProfileKeys::Hash(std::size_t section, std::string_view name) {
  return NoCaseHash{}(name) ^ (section * 0x9e3779b97f4a7c15ull);
}

std::size_t ProfileKeys::slotFor(std::size_t section, std::size_t hash, std::string_view name) const {
  std::size_t at = hash & (slots_.size() - 1);
  while (slots_[at].number != kNone &&
         (slots_[at].hash != hash || slots_[at].section != section || !EqualNoCase(slots_[at].name, name)))
    at = (at + 1) & (slots_.size() - 1);
  return at;
}

std::size_t ProfileKeys::section(std::string_view name) const {
  const auto found = sections_.find(name);
  return found == sections_.end() ? kNone : found->second;
}

std::size_t ProfileKeys::key(std::size_t section, std::string_view name) const {
  return slots_[slotFor(section, Hash(section, name), name)].number;
}

}  // namespace tarnvik::ini
