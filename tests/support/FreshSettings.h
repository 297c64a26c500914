#pragma once
// Settings as a freshly started window has them, on a PC whose clock reads
// 09:05 UTC on 3 July 2026, so that every run sees the same clock fields.

#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"

namespace tarnvik::test {

inline PcClock TestClock() { return FixedUtcClock(2026, 7, 3, 9, 5); }

inline DeviceSettings FreshSettings() { return DeviceSettings(TestClock()); }

}  // namespace tarnvik::test
