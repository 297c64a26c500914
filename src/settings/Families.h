#pragma once
// The numbered families of settings: eight path rules, ten callsign filter
// entries, eight beacons, five analog and eight digital telemetry channels,
// four outputs of the digital module. Each is described here once; the
// settings table, the image fields, the file keys, the messages and the tabs
// all take their members from these descriptions.
//
// A member's setting is named by putting its number (1 to count, decimal)
// after the family's stem and before the part ("Pathn" 3 "_name" gives
// Pathn3_name), or, for families whose number ends the name, after the part
// ("Callfilter_" "callsign" 3 gives Callfilter_callsign3).

#include <optional>
#include <string>
#include <string_view>

namespace tarnvik {

// The member numbers 1 to count, for range-for. A plain counting range:
// std::views::iota does not compile with clang 14 over libstdc++ 12, and the
// core must build with both compilers.
struct MemberNumbers {
  struct Iterator {
    int number = 0;
    int operator*() const { return number; }
    Iterator& operator++() {
      ++number;
      return *this;
    }
    bool operator==(const Iterator&) const = default;
  };
  int count = 0;
  Iterator begin() const { return {1}; }
  Iterator end() const { return {count + 1}; }
};

struct Family {
  std::string_view stem;
  int count = 0;
  bool numberLast = false;

  // The setting of member n (1 to count) for the given part.
  std::string name(int n, std::string_view part = {}) const {
    const std::string number = std::to_string(n);
    return numberLast ? std::string(stem).append(part).append(number) : std::string(stem).append(number).append(part);
  }
  // 1, 2, ... count, for range-for.
  MemberNumbers numbers() const { return {count}; }
  // The member number and part of a setting name of this family, if it is one.
  std::optional<std::pair<int, std::string>> split(std::string_view setting) const;
};

namespace families {

inline constexpr Family kPathRules{"Pathn", 8, false};              // Pathn1_name ... Pathn8_active
inline constexpr Family kFilterEntries{"Callfilter_", 10, true};    // Callfilter_callsign1, Callfilter_ssid1
inline constexpr Family kBeacons{"Beacon", 8, false};               // Beacon1_dest_string ... Beacon8_msg
inline constexpr Family kAnalogChannels{"Teleanalog", 5, false};    // Teleanalog1_name ... Teleanalog5_average
inline constexpr Family kDigitalChannels{"Teledigital", 8, false};  // Teledigital1_name ... Teledigital8_inverted
inline constexpr Family kSorbexOutputs{"Sorbex_", 4, true};         // Sorbex_output1 ... Sorbex_output4

inline constexpr const Family* kAll[] = {&kPathRules,      &kFilterEntries,   &kBeacons,
                                         &kAnalogChannels, &kDigitalChannels, &kSorbexOutputs};

}  // namespace families

}  // namespace tarnvik
