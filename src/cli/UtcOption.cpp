#include "cli/UtcOption.h"

#include <cstdio>
#include <ctime>

namespace tarnvik::cli {

namespace {

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

std::optional<PcClock> ParseUtcOption(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, used = 0;
  if (text.size() != 16 ||
      std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%n", &year, &month, &day, &hour, &minute, &used) != 5 || used != 16)
    return std::nullopt;
  if (!InRange(year, 1970, 9999) || !InRange(month, 1, 12) || !InRange(day, 1, 31) || !InRange(hour, 0, 23) ||
      !InRange(minute, 0, 59))
    return std::nullopt;
  const std::time_t when = FromUtc({year, month, day, hour, minute});
  if (ToUtc(when).day != day) return std::nullopt;  // 31 April and the like
  return PcClock([when] { return when; });
}

}  // namespace tarnvik::cli
