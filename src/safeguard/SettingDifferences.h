#pragma once
// The settings that two configurations would have the unit hold differently,
// as the window's compare and the tool's diff list them: one line per
// setting, in the window's order, "Setting: value-in-A -> value-in-B".
// Settings are compared as the unit stores them (StoredSettings): a
// difference that the unit would not keep (letter case of a callsign, 0250
// against 250) is not one. The clock fields are never compared (files do not
// keep them, and the unit's clock is set from the PC on every write), nor is
// Uploadpctime unless both sides are files: images do not keep it.

#include <cstddef>
#include <string>
#include <vector>

namespace tarnvik {

class DeviceSettings;

// For reading by people: a text in double quotes, exactly as held; a choice
// as its index and its entry's text in quotes, 3 "+/- 64 ms", or -1 (no
// entry); a flag as 1 (checked) or 0 (unchecked). `value` is in the form
// SettingValueText gives.
std::string ShownValue(std::size_t index, const std::string& value);

// Whether Uploadpctime takes part: only when both sides are configuration files.
enum class UploadpctimeCompared { No, Yes };

// One setting that differs: its index in SettingsTable() and both values in
// the form SettingValueText gives.
struct SettingDifference {
  std::size_t index;
  std::string a, b;
};

std::vector<SettingDifference> Differences(const DeviceSettings& a, const DeviceSettings& b,
                                           UploadpctimeCompared uploadpctime);

// The same as lines with the settings' key names, for scripts.
std::vector<std::string> DifferenceLines(const std::vector<SettingDifference>& differences);
std::vector<std::string> DifferenceLines(const DeviceSettings& a, const DeviceSettings& b,
                                         UploadpctimeCompared uploadpctime);

// What the window shows when nothing differs.
inline constexpr const char* kNoDifferences = "No differences.";

}  // namespace tarnvik
