// The PC clock's UTC conversions: known instants both ways, fields out of
// range carrying as the C library's conversions carry them, and every day
// of the years the unit's clock can hold.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "settings/PcClock.h"

namespace tarnvik {
namespace {

struct Instant {
  long long seconds;
  UtcDateTime utc;
};

// Compared as text, so that a failure shows the dates.
std::string Text(const UtcDateTime& t) {
  return std::to_string(t.year) + '-' + std::to_string(t.month) + '-' + std::to_string(t.day) + ' ' +
         std::to_string(t.hour) + ':' + std::to_string(t.minute);
}

TEST(PcClock, KnownInstantsConvertBothWays) {
  const Instant instants[] = {
      {0, {1970, 1, 1, 0, 0}},
      {-60, {1969, 12, 31, 23, 59}},
      {951782400, {2000, 2, 29, 0, 0}},  // a leap day of a century divisible by 400
      {1709251140, {2024, 2, 29, 23, 59}},
      {1783069500, {2026, 7, 3, 9, 5}},
      {2147483700, {2038, 1, 19, 3, 15}},      // past the 32-bit end of time
      {4107542400, {2100, 3, 1, 0, 0}},        // 2100 has no 29 February
      {253402300740, {9999, 12, 31, 23, 59}},  // the last minute the tool's --utc takes
  };
  for (const Instant& i : instants) {
    EXPECT_EQ(Text(ToUtc(static_cast<std::time_t>(i.seconds))), Text(i.utc)) << i.seconds;
    EXPECT_EQ(static_cast<long long>(FromUtc(i.utc)), i.seconds) << Text(i.utc);
  }
  EXPECT_EQ(Text(ToUtc(59)), "1970-1-1 0:0");  // seconds are cut, not rounded
  EXPECT_EQ(Text(ToUtc(-1)), "1969-12-31 23:59");
}

TEST(PcClock, FieldsOutOfRangeCarryIntoTheNextField) {
  const std::pair<UtcDateTime, UtcDateTime> carried[] = {
      {{2026, 4, 31, 12, 0}, {2026, 5, 1, 12, 0}},  // 31 April
      {{2025, 2, 29, 0, 0}, {2025, 3, 1, 0, 0}},    {{2026, 13, 1, 0, 0}, {2027, 1, 1, 0, 0}},
      {{2026, 0, 1, 0, 0}, {2025, 12, 1, 0, 0}},    {{2026, -11, 1, 0, 0}, {2025, 1, 1, 0, 0}},
      {{2026, 1, 0, 0, 0}, {2025, 12, 31, 0, 0}},   {{2026, 12, 31, 23, 60}, {2027, 1, 1, 0, 0}},
      {{2026, 3, 1, 0, -1}, {2026, 2, 28, 23, 59}}, {{2026, 1, 1, 48, 0}, {2026, 1, 3, 0, 0}},
  };
  for (const auto& [given, meant] : carried) EXPECT_EQ(Text(ToUtc(FromUtc(given))), Text(meant)) << Text(given);
}

TEST(PcClock, EveryDayFrom1970To2100RoundTrips) {
  UtcDateTime expected{1970, 1, 1, 23, 59};
  const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (long long day = 0; expected.year <= 2100; ++day) {
    const auto when = static_cast<std::time_t>(day * 86400 + 23 * 3600 + 59 * 60);
    ASSERT_EQ(Text(ToUtc(when)), Text(expected)) << day;
    ASSERT_EQ(FromUtc(expected), when) << Text(expected);
    const bool leap = expected.year % 4 == 0 && (expected.year % 100 != 0 || expected.year % 400 == 0);
    const int length = monthDays[expected.month - 1] + (expected.month == 2 && leap ? 1 : 0);
    if (++expected.day > length) {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
  }
}

}  // namespace
}  // namespace tarnvik
