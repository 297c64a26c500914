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

std::time_t FromUtc(const UtcDateTime& utc) {
  std::tm broken{};
  broken.tm_year = utc.year - 1900;
  broken.tm_mon = utc.month - 1;
  broken.tm_mday = utc.day;
  broken.tm_hour = utc.hour;
  broken.tm_min = utc.minute;
  return timegm(&broken);
}

}  // namespace tarnvik
