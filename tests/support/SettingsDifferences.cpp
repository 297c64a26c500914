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

}  // namespace

bool IsClockField(const std::string& name) {
  return std::find(std::begin(kClockFields), std::end(kClockFields), name) != std::end(kClockFields);
}

std::vector<std::string> Differences(const DeviceSettings& a, const DeviceSettings& b, Compare what) {
  std::vector<std::string> found;
  for (const SettingDefinition& setting : SettingsTable()) {
    if (IsClockField(setting.name) && !what.clock) continue;
    const std::string left = Shown(a, setting, what.enabled), right = Shown(b, setting, what.enabled);
    if (left != right) found.push_back(setting.name + ": " + left + " vs " + right);
  }
  return found;
}

}  // namespace tarnvik::test
