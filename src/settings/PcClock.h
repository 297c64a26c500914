#pragma once
// The PC's clock. The unit's real-time clock runs on UTC, so the program
// always turns the PC's time into UTC before showing or sending it.

#include <ctime>
#include <functional>

namespace tarnvik {

// Returns the current calendar time (seconds since the epoch). Tests and the
// command-line tool put a fixed time in its place.
using PcClock = std::function<std::time_t()>;

PcClock SystemPcClock();

struct UtcDateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
};

UtcDateTime ToUtc(std::time_t when);
std::time_t FromUtc(const UtcDateTime& utc);

}  // namespace tarnvik
