#include "support/SettingsDifferences.h"

#include <algorithm>
#include <iterator>

namespace tarnvik::test {

namespace {

std::string ValueOf(const DeviceSettings& s, const SettingDefinition& setting) {
  switch (setting.kind) {
    case SettingKind::Text: return "'" + s.text(setting.name) + "'";
    case SettingKind::Choice: return std::to_string(s.choice(setting.name));
    case SettingKind::Flag: return s.flag(setting.name) ? "checked" : "unchecked";
  }
  return {};
}

std::string Shown(const DeviceSettings& s, const SettingDefinition& setting, bool withEnabled) {
  std::string shown = ValueOf(s, setting);
  if (withEnabled) shown += s.enabled(setting.name) ? " (editable)" : " (locked)";
  return shown;
}

// The quick test before any text is made: most settings compared are equal.
bool Differ(const DeviceSettings& a, const DeviceSettings& b, const SettingDefinition& setting, bool withEnabled) {
  if (withEnabled && a.enabled(setting.name) != b.enabled(setting.name)) return true;
  switch (setting.kind) {
    case SettingKind::Text: return a.text(setting.name) != b.text(setting.name);
    case SettingKind::Choice: return a.choice(setting.name) != b.choice(setting.name);
    case SettingKind::Flag: return a.flag(setting.name) != b.flag(setting.name);
  }
  return false;
}

}  // namespace

bool IsClockField(const std::string& name) {
  return std::find(std::begin(kClockFields), std::end(kClockFields), name) != std::end(kClockFields);
}

std::vector<std::string> Differences(const DeviceSettings& a, const DeviceSettings& b, Compare what) {
  std::vector<std::string> found;
  for (const SettingDefinition& setting : SettingsTable()) {
    if (!Differ(a, b, setting, what.enabled) || (!what.clock && IsClockField(setting.name))) continue;
    const std::string left = Shown(a, setting, what.enabled), right = Shown(b, setting, what.enabled);
    if (left != right) found.push_back(setting.name + ": " + left + " vs " + right);
  }
  return found;
}

}  // namespace tarnvik::test
