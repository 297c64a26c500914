#pragma once
// Compare with the unit and compare with a file: the settings that the
// window holds and the unit (or a file or image) would hold differently, as
// DifferenceLines lists them ("Setting: window's value -> other value").
// Nothing in the window or the unit changes.

#include <string>
#include <vector>

#include "device/DeviceOperations.h"
#include "safeguard/SettingDifferences.h"

namespace tarnvik {

class DeviceSettings;
class Operator;

struct Comparison {
  bool compared = false;                       // the other side was read, checked and decoded
  std::vector<std::string> lines;              // empty: no differences
  std::vector<SettingDifference> differences;  // the same, for the window to name as it shows them
};

// Reads the unit's 64 pages (logged as Read config logs them), checks the
// checksum ("Eeprom checksum error. Please reload configuration." in the log
// when it fails) and the version (its message box), and compares.
Comparison CompareWithUnit(const DeviceAccess& access, const DeviceSettings& window);

// The file at `path`, a configuration file or an image (ConfigSource.h), its
// messages through `op`. Uploadpctime, which the window and files keep but
// images do not, is compared with a file only.
Comparison CompareWithFile(const DeviceSettings& window, const std::string& path, Operator& op);

}  // namespace tarnvik
