#include "cli/SettingNames.h"

#include <algorithm>
#include <map>

#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/IniText.h"
#include "cli/Nearest.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

struct NameTable {
  std::map<std::string, std::size_t, std::less<>> byLowerName;
  std::vector<std::string> names;  // as the window and the file spell them, for suggestions

  void add(const std::string& name, std::size_t index) {
    if (byLowerName.emplace(ini::LowerAscii(name), index).second) names.push_back(name);
  }
};

NameTable BuildNames() {
  NameTable table;
  for (const FileKey& key : ConfigFileKeys()) {
    if (key.setting.empty()) continue;
    const std::size_t index = DeviceSettings::indexOf(key.setting);
    table.add(key.setting, index);
    table.add(key.key, index);
  }
  return table;
}

const NameTable& Names() {
  static const NameTable table = BuildNames();
  return table;
}

bool IsClockField(std::string_view name) {
  return std::any_of(std::begin(kClockFields), std::end(kClockFields),
                     [name](const char* field) { return ini::EqualNoCase(field, name); });
}

}  // namespace

const std::vector<std::size_t>& FileSettings() { return FileKeptSettings(); }

std::optional<std::size_t> FindFileSetting(std::string_view name) {
  const auto found = Names().byLowerName.find(ini::LowerAscii(name));
  if (found == Names().byLowerName.end()) return std::nullopt;
  return found->second;
}

std::string UnknownSettingMessage(std::string_view name) {
  if (IsClockField(name))
    return std::string(name) +
           " is not kept in configuration files: the unit's clock is set from the PC on Write config.";
  std::string message = "Unknown setting: " + std::string(name) + ".";
  if (const auto nearest = NearestName(name, Names().names)) message += " Did you mean " + *nearest + "?";
  return message;
}

}  // namespace tarnvik::cli
