#include "cfgfile/ProfileReader.h"

#include <stdexcept>

#include "settings/NumberText.h"

namespace tarnvik::ini {

ProfileReader::ProfileReader(const std::string& path, const std::vector<KeyName>& wanted) {
  want(wanted);
  if (!ScanLines(path, *this)) forgetValues();
}

ProfileReader::ProfileReader(ProfileText text, const std::vector<KeyName>& wanted) {
  want(wanted);
  ScanText(text.content, *this);
}

void ProfileReader::want(const std::vector<KeyName>& wanted) {
  for (const KeyName& name : wanted) sections_[LowerAscii(name.section)].keys[LowerAscii(name.key)];
}

void ProfileReader::lineEnd(std::string_view) {
  const IniLine& line = scanner_.finish();
  if (line.kind == IniLine::Kind::Header)
    enterSection(line);
  else if (line.kind == IniLine::Kind::Key && current_ != nullptr)
    takeKey(line);
}

// Keys count in the first section of a name only; any later header, known or
// not, ends it.
void ProfileReader::enterSection(const IniLine& line) {
  current_ = nullptr;
  if (line.nameTooLong) return;
  LowerAsciiInto(line.name, lowered_);
  const auto found = sections_.find(lowered_);
  if (found == sections_.end() || found->second.seen) return;
  found->second.seen = true;
  current_ = &found->second;
}

void ProfileReader::takeKey(const IniLine& line) {
  if (line.nameTooLong) return;
  LowerAsciiInto(line.name, lowered_);
  const auto found = current_->keys.find(lowered_);
  if (found != current_->keys.end() && !found->second) found->second = line.value;
}

// A file that fails half-way reads as no file at all rather than as half of one.
void ProfileReader::forgetValues() {
  for (auto& [name, section] : sections_)
    for (auto& [key, value] : section.keys) value.reset();
}

std::optional<std::string> ProfileReader::value(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(LowerAscii(section));
  if (s != sections_.end()) {
    const auto k = s->second.keys.find(LowerAscii(key));
    if (k != s->second.keys.end()) return k->second;
  }
  throw std::logic_error("profile key [" + std::string(section) + "] " + std::string(key) + " was not asked for");
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
