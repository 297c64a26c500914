// Read from file.

#include <string>
#include <vector>

#include "cfgfile/ConfigFileKeys.h"
#include "cfgfile/ConfigFileOps.h"
#include "cfgfile/ProfileReader.h"
#include "core/AppInfo.h"
#include "core/Operator.h"
#include "settings/DeviceSettings.h"
#include "settings/NumberText.h"
#include "settings/Reactions.h"

namespace tarnvik {

namespace {

constexpr const char* kNotOurs =
    "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.";
constexpr const char* kOtherVersion =
    "Imported configuration file version is different than your current application version. \n"
    "Please double-check configuration fields after import. \n"
    "Some configuration fields my change between firmware versions.";
constexpr const char* kUnknown = "unknown";

// Made once: every read wants the same keys.
const ini::ProfileKeys& WantedKeys() {
  static const ini::ProfileKeys keys = [] {
    std::vector<ini::KeyName> names;
    for (const FileKey& key : ConfigFileKeys()) names.push_back({key.section, key.key});
    return ini::ProfileKeys(names);
  }();
  return keys;
}

std::int32_t NumberDefault(const FileKey& key) { return ParseFileInteger(key.value).value_or(0); }

// Applying a choice selects without the list's reaction; a flag that changes
// runs its click reaction (DeviceSettings does that for Uploadpctime).
void Apply(DeviceSettings& s, const ini::ProfileReader& file, const FileKey& key) {
  const auto number = [&] { return file.readInteger(key.section, key.key, NumberDefault(key)); };
  switch (key.kind) {
    case FileValueKind::Identity: return;
    case FileValueKind::Text: s.setText(key.setting, file.readText(key.section, key.key, key.value)); break;
    case FileValueKind::Integer: s.setText(key.setting, std::to_string(number())); break;
    case FileValueKind::Choice: s.setChoice(key.setting, number()); break;
    case FileValueKind::Flag: s.setFlag(key.setting, number() != 0); break;
  }
  RunAfterProgramSet(s, key.setting);
}

bool Load(DeviceSettings& s, const ini::ProfileReader& file, Operator& op) {
  if (file.readText(kIdentitySection, "Application", kUnknown) != kAppTitle) {
    op.informationBox(kNotOurs);
    return false;
  }
  if (file.readText(kIdentitySection, "Version", kUnknown) != kConfigVersion) op.informationBox(kOtherVersion);
  for (const FileKey& key : ConfigFileKeys()) Apply(s, file, key);
  return true;
}

}  // namespace

bool LoadConfigFile(DeviceSettings& s, const std::string& path, Operator& op) {
  return Load(s, ini::ProfileReader(path, WantedKeys()), op);
}

bool LoadConfigText(DeviceSettings& s, std::string_view content, Operator& op) {
  return Load(s, ini::ProfileReader(ini::ProfileText{content}, WantedKeys()), op);
}

}  // namespace tarnvik
