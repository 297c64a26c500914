#pragma once
// What the program knows about each setting of the unit: its name (the name of
// the window control that shows it), its kind, the typing limit of a text, the
// list of a choice and the value it is created with.

#include <string>
#include <vector>

#include "settings/ChoiceLists.h"

namespace tarnvik {

enum class SettingKind { Text, Choice, Flag };

struct SettingDefinition {
  std::string name;
  SettingKind kind = SettingKind::Text;
  int maxLength = 0;                    // typing limit of a text; texts set by the program are not cut
  const ChoiceList* choices = nullptr;  // list of a choice
  std::string initialText;              // text created with this value
  bool initialFlag = false;             // flag created checked or not
  int startChoice = -1;                 // entry construction selects (-1: none)
};

// Every setting, in the order of the window's tabs. Choices are created with
// no entry selected; construction then selects startChoice (see DeviceSettings).
const std::vector<SettingDefinition>& SettingsTable();

}  // namespace tarnvik
