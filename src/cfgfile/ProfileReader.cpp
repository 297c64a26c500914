#include "cfgfile/ProfileReader.h"

#include <stdexcept>
#include <utility>

#include "settings/NumberText.h"

namespace tarnvik::ini {

ProfileReader::ProfileReader(const ProfileKeys& wanted)
    : keys_(wanted), seen_(wanted.sectionCount()), values_(wanted.keyCount()), unstorable_(wanted.keyCount()) {}

ProfileReader::ProfileReader(std::unique_ptr<const ProfileKeys> owned) : ProfileReader(*owned) {
  owned_ = std::move(owned);
}

ProfileReader::ProfileReader(const std::string& path, const ProfileKeys& wanted) : ProfileReader(wanted) {
  if (!ScanLines(path, *this)) forgetValues();
}

ProfileReader::ProfileReader(ProfileText text, const ProfileKeys& wanted) : ProfileReader(wanted) {
  ScanText(text.content, *this);
}

ProfileReader::ProfileReader(const std::string& path, const std::vector<KeyName>& wanted)
    : ProfileReader(std::make_unique<const ProfileKeys>(wanted)) {
  if (!ScanLines(path, *this)) forgetValues();
}

ProfileReader::ProfileReader(ProfileText text, const std::vector<KeyName>& wanted)
    : ProfileReader(std::make_unique<const ProfileKeys>(wanted)) {
  ScanText(text.content, *this);
}

void ProfileReader::lineEnd(std::string_view) {
  const IniLine& line = scanner_.finish();
  if (line.kind == IniLine::Kind::Header)
    enterSection(line);
  else if (line.kind == IniLine::Kind::Key && current_ != ProfileKeys::kNone)
    takeKey(line);
}

// Keys count in the first section of a name only; any later header, known or
// not, ends it.
void ProfileReader::enterSection(const IniLine& line) {
  current_ = ProfileKeys::kNone;
  if (!line.nameMatchable()) return;
  const std::size_t section = keys_.section(line.name);
  if (section == ProfileKeys::kNone || seen_[section]) return;
  seen_[section] = true;
  current_ = section;
}

void ProfileReader::takeKey(const IniLine& line) {
  if (!line.nameMatchable()) return;
  const std::size_t key = keys_.key(current_, line.name);
  if (key == ProfileKeys::kNone || values_[key]) return;
  values_[key].emplace(line.value);
  unstorable_[key] = line.valueUnstorable;
}

// A file that fails half-way reads as no file at all rather than as half of one.
void ProfileReader::forgetValues() {
  for (auto& value : values_) value.reset();
  unstorable_.assign(unstorable_.size(), false);
}

std::optional<std::string> ProfileReader::value(std::string_view section, std::string_view key) const {
  const std::size_t s = keys_.section(section);
  const std::size_t k = s == ProfileKeys::kNone ? ProfileKeys::kNone : keys_.key(s, key);
  if (k == ProfileKeys::kNone)
    throw std::logic_error("profile key [" + std::string(section) + "] " + std::string(key) + " was not asked for");
  return values_[k];
}

std::string ProfileReader::readText(std::string_view section, std::string_view key, std::string_view fallback) const {
  return value(section, key).value_or(std::string(fallback));
}

std::int32_t ProfileReader::readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
  const auto text = value(section, key);
  if (!text) return fallback;
  return ParseFileInteger(*text).value_or(fallback);
}

bool ProfileReader::readFlag(std::string_view section, std::string_view key, bool fallback) const {
  return readInteger(section, key, fallback ? 1 : 0) != 0;
}

}  // namespace tarnvik::ini
