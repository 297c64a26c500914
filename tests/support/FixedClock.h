#pragma once
// Fixed PC clocks for tests.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "settings/PcClock.h"
#include "support/TestSystem.h"

namespace tarnvik::test {

// A clock that always reads the given UTC date and time.
inline PcClock FixedUtcClock(int year, int month, int day, int hour, int minute) {
  const std::time_t when = FromUtc({year, month, day, hour, minute});
  return [when] { return when; };
}

// Sets the process's time zone for the life of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) previous_ = old;
    SetEnvironment("TZ", zone);
    tzset();
  }
  ~ScopedTimeZone() {
    SetEnvironment("TZ", previous_ ? previous_->c_str() : nullptr);
    tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace tarnvik::test
