#pragma once
// Setting-by-setting comparison of two settings records, for tests and fuzz
// targets: one line per setting that differs, naming it and both values.

#include <string>
#include <vector>

#include "settings/DeviceSettings.h"

namespace tarnvik::test {

struct Compare {
  bool clock = false;    // the five clock fields too
  bool enabled = false;  // the enabled states too
};

// "Name: left vs right" for each setting that differs, in table order. Texts
// are shown in quotes, choices as their index, flags as checked/unchecked.
std::vector<std::string> Differences(const DeviceSettings& a, const DeviceSettings& b, Compare what);

// Values only; the clock fields are left out unless withClock.
inline std::vector<std::string> Differences(const DeviceSettings& a, const DeviceSettings& b, bool withClock = false) {
  return Differences(a, b, Compare{withClock, false});
}

bool IsClockField(const std::string& name);

}  // namespace tarnvik::test
