#include "cfgfile/ProfileKeys.h"

namespace tarnvik::ini {

ProfileKeys::ProfileKeys(std::span<const KeyName> names) {
  for (const KeyName& name : names) {
    const auto section = sections_.try_emplace(name.section, keys_.size()).first->second;
    if (section == keys_.size()) keys_.emplace_back();
    if (keys_[section].try_emplace(name.key, keyCount_).second) ++keyCount_;
  }
}

std::size_t ProfileKeys::section(std::string_view name) const {
  const auto found = sections_.find(name);
  return found == sections_.end() ? kNone : found->second;
}

std::size_t ProfileKeys::key(std::size_t section, std::string_view name) const {
  const auto found = keys_[section].find(name);
  return found == keys_[section].end() ? kNone : found->second;
}

}  // namespace tarnvik::ini
