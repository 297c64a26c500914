#pragma once
// The serial port rules as the image decoder and the file import run them.

#include "settings/DeviceSettings.h"
#include "settings/Reactions.h"

namespace tarnvik::test {

// Port 1's rule runs before port 2 is set, so port 2's own value replaces
// whatever port 1's rule made of it; port 2's rule then runs. The locks that
// result depend on the order: a read of roles that the rules have already
// settled can unlock a list that the first read left locked.
inline void RunPortRulesAsReaders(DeviceSettings& s) {
  const int port2 = s.choice("Serial2_mode");
  Serial1_modeChange(s);
  s.setChoice("Serial2_mode", port2);
  Serial2_modeChange(s);
}

}  // namespace tarnvik::test
