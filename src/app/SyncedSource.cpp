#include "app/SyncedSource.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iterator>

#include "app/UnitWatch.h"
#include "platform/PathText.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

bool IsClockField(std::size_t index) {
  const std::string& name = SettingsTable()[index].name;
  return std::find(std::begin(kClockFields), std::end(kClockFields), name) != std::end(kClockFields);
}

bool SameValue(const DeviceSettings& a, const DeviceSettings& b, std::size_t index) {
  switch (SettingsTable()[index].kind) {
    case SettingKind::Text: return a.textAt(index) == b.textAt(index);
    case SettingKind::Choice: return a.choiceAt(index) == b.choiceAt(index);
    case SettingKind::Flag: return a.flagAt(index) == b.flagAt(index);
  }
  return true;
}

}  // namespace

std::string SyncedSource::titleName() const {
  if (!file.empty()) return platform::TextOf(platform::PathOf(file).filename());
  return unit.empty() ? std::string() : "Unit " + unit;
}

// A unit that cannot be listed once the operation is done is simply not named.
std::string UnitUsed(const DeviceAccess& access) {
  std::vector<HidInterface> units;
  try {
    units = FindUnits(access.transport);
  } catch (const std::exception&) {
    return {};
  }
  const auto used = std::find_if(units.begin(), units.end(), [&](const HidInterface& unit) {
    return access.choice.path.empty() || unit.path == access.choice.path;
  });
  return used == units.end() ? std::string() : UnitEntryText(*used);
}

bool EditsDiffer(const DeviceSettings& a, const DeviceSettings& b) {
  for (std::size_t index = 0; index < SettingsTable().size(); ++index)
    if (!IsClockField(index) && !SameValue(a, b, index)) return true;
  return false;
}

}  // namespace tarnvik
