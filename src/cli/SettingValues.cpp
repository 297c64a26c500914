#include "cli/SettingValues.h"

#include <algorithm>

#include "cfgfile/IniText.h"
#include "settings/DeviceSettings.h"
#include "settings/Reactions.h"

namespace tarnvik::cli {

namespace {

const SettingDefinition& Definition(std::size_t index) { return SettingsTable().at(index); }

// The entry selected by a value of StoredSettings form, or nullptr for none.
const std::string* Entry(const SettingDefinition& definition, const std::string& value) {
  const int choice = std::stoi(value);
  const ChoiceList& list = *definition.choices;
  return choice >= 0 && static_cast<std::size_t>(choice) < list.size() ? &list[static_cast<std::size_t>(choice)]
                                                                       : nullptr;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> ChoiceIndex(const ChoiceList& list, const std::string& value) {
  if (AllDigits(value)) {
    if (value.size() > 3 || std::stoul(value) >= list.size()) return std::nullopt;
    return static_cast<int>(std::stoul(value));
  }
  auto found = std::find(list.begin(), list.end(), value);
  if (found == list.end())
    found = std::find_if(list.begin(), list.end(), [&](const std::string& e) { return ini::EqualNoCase(e, value); });
  if (found == list.end()) return std::nullopt;
  return static_cast<int>(found - list.begin());
}

std::string ChoiceRefusal(const SettingDefinition& definition, const std::string& value) {
  const ChoiceList& list = *definition.choices;
  std::string message = definition.name + " has no entry \"" + value + "\": give its index (0 to " +
                        std::to_string(list.size() - 1) + ") or the text of an entry:";
  for (std::size_t i = 0; i < list.size(); ++i) message += (i == 0 ? " \"" : ", \"") + list[i] + "\"";
  return message + ".";
}

std::optional<std::string> TakeChoice(DeviceSettings& settings, const SettingDefinition& definition,
                                      const std::string& value) {
  const std::optional<int> index = ChoiceIndex(*definition.choices, value);
  if (!index) return ChoiceRefusal(definition, value);
  if (!settings.enabled(definition.name))
    return definition.name +
           " cannot be changed: the window keeps it locked as the negative voltage output while the other "
           "serial port carries a WS-2300 or WS-2350 weather station.";
  settings.setChoice(definition.name, *index);
  if (const ReactionEntry* reaction = FindReaction(definition.name)) reaction->reaction(settings);
  return std::nullopt;
}

}  // namespace

std::string PlainValue(std::size_t index, const std::string& value, bool entryText) {
  const SettingDefinition& definition = Definition(index);
  if (definition.kind != SettingKind::Choice || !entryText) return value;
  const std::string* entry = Entry(definition, value);
  return entry != nullptr ? *entry : value;
}

std::optional<std::string> TakeValue(DeviceSettings& settings, std::size_t index, const std::string& value) {
  const SettingDefinition& definition = Definition(index);
  switch (definition.kind) {
    case SettingKind::Text: settings.setText(definition.name, value); return std::nullopt;
    case SettingKind::Choice: return TakeChoice(settings, definition, value);
    case SettingKind::Flag:
      if (value != "0" && value != "1")
        return definition.name + " is a check box: give 1 (checked) or 0 (unchecked), not \"" + value + "\".";
      settings.setFlag(definition.name, value == "1");
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tarnvik::cli
