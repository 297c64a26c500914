#pragma once
// Which setting the operator has to correct after Write config or Save to
// file refused the settings, so that the window can lead there once the
// message was read. Empty when nothing in the settings is refused.

#include <string>

namespace tarnvik {

class DeviceSettings;

// The first setting Write config's checks refuse, or whose number does not
// convert.
std::string RefusedByWrite(const DeviceSettings& settings);
// The first number setting Save to file cannot convert, in the file's order.
std::string RefusedBySave(const DeviceSettings& settings);

}  // namespace tarnvik
