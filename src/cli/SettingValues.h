#pragma once
// How the tool shows the values of settings to scripts and takes new ones
// from the command line (diff shows them as ShownValue does). Values come as
// StoredSettings gives them (SettingValueText): a text as held, a choice's
// index in decimal, a flag as "1" or "0".

#include <cstddef>
#include <optional>
#include <string>

namespace tarnvik {
class DeviceSettings;
}

namespace tarnvik::cli {

// For scripts (get): a text as held; a choice as its index, or with
// `entryText` as its entry's text (-1 when none is selected either way); a
// flag as 1 or 0. Every form is one that TakeValue takes back.
std::string PlainValue(std::size_t index, const std::string& value, bool entryText);

// Sets setting `index` from the VALUE of NAME=VALUE, as an operator setting it
// in the window would: a text as it stands; a choice by its index (a value of
// digits is always the index, as the file keeps it) or else by its entry's
// text, exactly or regardless of case, and then the choice's reaction runs
// (the serial port rules); a flag by 1 or 0. A serial port that the window
// keeps locked is not changed. Returns the reason when the value was refused
// and nothing was changed.
std::optional<std::string> TakeValue(DeviceSettings& settings, std::size_t index, const std::string& value);

}  // namespace tarnvik::cli
