// Read from file.

#include <cstdint>
#include <optional>
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

// A file saved as Unicode text (a byte-order mark) whose value holds a
// character that the unit's 8-bit set lacks, or bytes that are no UTF-8: the
// unit could not store the value, and a "?" in its place would be a value
// nobody chose.
std::string UnstorableMessage(const FileKey& key) {
  return "Imported configuration file has a character that the unit cannot store in " + key.key + " [" + key.section +
         "]. \nOperation aborted.";
}

// Made once: every read wants the same keys, each of which is then found by
// its number rather than by its name, and runs the reaction looked up here.
struct WantedKeys {
  ini::ProfileKeys names;
  std::vector<std::size_t> numbers;  // by position in ConfigFileKeys()
  std::vector<Reaction> reactions;   // the same; AfterProgramSetReaction of the key's setting
};

const WantedKeys& Wanted() {
  static const WantedKeys wanted = [] {
    std::vector<ini::KeyName> names;
    for (const FileKey& key : ConfigFileKeys()) names.push_back({key.section, key.key});
    WantedKeys made{ini::ProfileKeys(names), {}, {}};
    for (const ini::KeyName& name : names)
      made.numbers.push_back(made.names.key(made.names.section(name.section), name.key));
    for (const FileKey& key : ConfigFileKeys()) made.reactions.push_back(AfterProgramSetReaction(key.setting));
    return made;
  }();
  return wanted;
}

std::int32_t NumberDefault(const FileKey& key) { return ParseFileInteger(key.value).value_or(0); }

std::int32_t Number(const std::optional<std::string>& text, const FileKey& key) {
  const auto number = text ? ParseFileInteger(*text) : std::nullopt;
  return number ? *number : NumberDefault(key);
}

// Applying a choice selects without the list's reaction; a flag that changes
// runs its click reaction (DeviceSettings does that for Uploadpctime).
void Apply(DeviceSettings& s, const std::optional<std::string>& text, const FileKey& key, Reaction reaction) {
  switch (key.kind) {
    case FileValueKind::Identity: return;
    case FileValueKind::Text: s.setTextAt(key.index, text ? *text : key.value); break;
    case FileValueKind::Integer: s.setTextAt(key.index, std::to_string(Number(text, key))); break;
    case FileValueKind::Choice: s.setChoiceAt(key.index, Number(text, key)); break;
    case FileValueKind::Flag: s.setFlagAt(key.index, Number(text, key) != 0); break;
  }
  if (reaction != nullptr) reaction(s);
}

bool Load(DeviceSettings& s, const ini::ProfileReader& file, Operator& op) {
  if (file.readText(kIdentitySection, "Application", kUnknown) != kAppTitle) {
    op.informationBox(kNotOurs);
    return false;
  }
  const auto& keys = ConfigFileKeys();
  const WantedKeys& wanted = Wanted();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].kind == FileValueKind::Identity || !file.unstorableAt(wanted.numbers[i])) continue;
    op.informationBox(UnstorableMessage(keys[i]));
    return false;
  }
  if (file.readText(kIdentitySection, "Version", kUnknown) != kConfigVersion) op.informationBox(kOtherVersion);
  for (std::size_t i = 0; i < keys.size(); ++i) Apply(s, file.valueAt(wanted.numbers[i]), keys[i], wanted.reactions[i]);
  return true;
}

}  // namespace

bool LoadConfigFile(DeviceSettings& s, const std::string& path, Operator& op) {
  return Load(s, ini::ProfileReader(path, Wanted().names), op);
}

bool LoadConfigText(DeviceSettings& s, std::string_view content, Operator& op) {
  return Load(s, ini::ProfileReader(ini::ProfileText{content}, Wanted().names), op);
}

}  // namespace tarnvik
