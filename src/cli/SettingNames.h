#pragma once
// The settings a configuration file keeps, and the names an operator may give
// them on the command line: the setting's own name, as the window calls its
// control (Ssid, Teledigital1_units), or its key in the file (SSID,
// Teledigital1_label), in any letter case, as the file's keys are read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik::cli {

// Indexes into SettingsTable() of every setting a file keeps, in the
// window's order: all but the clock fields, which the unit takes from the PC.
const std::vector<std::size_t>& FileSettings();

// The setting a name stands for, when it is one a file keeps.
std::optional<std::size_t> FindFileSetting(std::string_view name);

// Why `name` names no setting a file keeps, with the nearest valid name when
// one is near: "Unknown setting: Calsign. Did you mean Callsign?"
std::string UnknownSettingMessage(std::string_view name);

}  // namespace tarnvik::cli
