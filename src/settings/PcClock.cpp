#include "settings/PcClock.h"

namespace tarnvik {

PcClock SystemPcClock() {
  return [] { return std::time(nullptr); };
}

UtcDateTime ToUtc(std::time_t when) {
  std::tm utc{};
  gmtime_r(&when, &utc);
  return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min};
}

}  // namespace tarnvik
