#include "settings/PcClock.h"

#include <chrono>

namespace tarnvik {

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::sys_seconds;

// Whole units of `value` counted in `size`, rounded towards minus infinity,
// so that months before January and minutes below zero carry correctly.
int FloorDiv(int value, int size) { return value / size - (value % size < 0 ? 1 : 0); }

}  // namespace

PcClock SystemPcClock() {
  return [] { return std::time(nullptr); };
}

UtcDateTime ToUtc(std::time_t when) {
  const sys_seconds instant{seconds{when}};
  const sys_days day = std::chrono::floor<days>(instant);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss<seconds> time{instant - day};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count())};
}

// Fields out of their range carry into the next larger one (a 32nd of
// January is the 1st of February, month 13 the next January), as the C
// library's conversions do.
std::time_t FromUtc(const UtcDateTime& utc) {
  const int months = utc.month - 1;
  const std::chrono::year year{utc.year + FloorDiv(months, 12)};
  const std::chrono::month month{static_cast<unsigned>(months - 12 * FloorDiv(months, 12) + 1)};
  const sys_days first = sys_days{year / month / 1};
  const sys_seconds instant = first + days{utc.day - 1} + hours{utc.hour} + minutes{utc.minute};
  return static_cast<std::time_t>(instant.time_since_epoch().count());
}

}  // namespace tarnvik
