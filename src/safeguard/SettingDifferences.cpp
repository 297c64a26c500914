#include "safeguard/SettingDifferences.h"

#include "cfgfile/ConfigFileKeys.h"
#include "image/StoredSettings.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

bool IsUploadpctime(std::size_t index) { return SettingsTable().at(index).name == "Uploadpctime"; }

// The entry selected by a value of StoredSettings form, or nullptr for none.
const std::string* Entry(const SettingDefinition& definition, const std::string& value) {
  const int choice = std::stoi(value);
  const ChoiceList& list = *definition.choices;
  return choice >= 0 && static_cast<std::size_t>(choice) < list.size() ? &list[static_cast<std::size_t>(choice)]
                                                                       : nullptr;
}

}  // namespace

std::string ShownValue(std::size_t index, const std::string& value) {
  const SettingDefinition& definition = SettingsTable().at(index);
  switch (definition.kind) {
    case SettingKind::Text: return "\"" + value + "\"";
    case SettingKind::Flag: return value == "1" ? "1 (checked)" : "0 (unchecked)";
    case SettingKind::Choice: {
      const std::string* entry = Entry(definition, value);
      return entry != nullptr ? value + " \"" + *entry + "\"" : value + " (no entry)";
    }
  }
  return value;
}

std::vector<SettingDifference> Differences(const DeviceSettings& a, const DeviceSettings& b,
                                           UploadpctimeCompared uploadpctime) {
  const StoredSettings storedA(a), storedB(b);
  std::vector<SettingDifference> found;
  for (std::size_t index : FileKeptSettings()) {
    if (IsUploadpctime(index) && uploadpctime == UploadpctimeCompared::No) continue;
    if (storedA.sameForUnit(storedB, index)) continue;
    found.push_back({index, storedA.value(index), storedB.value(index)});
  }
  return found;
}

std::vector<std::string> DifferenceLines(const std::vector<SettingDifference>& differences) {
  std::vector<std::string> lines;
  for (const SettingDifference& d : differences)
    lines.push_back(SettingsTable()[d.index].name + ": " + ShownValue(d.index, d.a) + " -> " +
                    ShownValue(d.index, d.b));
  return lines;
}

std::vector<std::string> DifferenceLines(const DeviceSettings& a, const DeviceSettings& b,
                                         UploadpctimeCompared uploadpctime) {
  return DifferenceLines(Differences(a, b, uploadpctime));
}

}  // namespace tarnvik
