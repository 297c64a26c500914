#include "settings/Families.h"

#include <cctype>

namespace tarnvik {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The number at the start of text ("12_name" gives 12 and "_name"); none when
// text does not start with a digit or the number has a leading zero.
std::optional<std::pair<int, std::string_view>> LeadingNumber(std::string_view text) {
  std::size_t digits = 0;
  while (digits < text.size() && digits < 3 && IsDigit(text[digits])) ++digits;
  if (digits == 0 || text[0] == '0') return std::nullopt;
  return std::pair{std::stoi(std::string(text.substr(0, digits))), text.substr(digits)};
}

}  // namespace

std::optional<std::pair<int, std::string>> Family::split(std::string_view setting) const {
  if (!setting.starts_with(stem)) return std::nullopt;
  std::string_view rest = setting.substr(stem.size());
  std::optional<std::pair<int, std::string_view>> number;
  std::string_view part;
  if (numberLast) {
    std::size_t first = rest.size();
    while (first > 0 && IsDigit(rest[first - 1])) --first;
    part = rest.substr(0, first);
    number = LeadingNumber(rest.substr(first));
    if (number && !number->second.empty()) number.reset();
  } else {
    number = LeadingNumber(rest);
    if (number) part = number->second;
  }
  if (!number || number->first > count) return std::nullopt;
  return std::pair{number->first, std::string(part)};
}

}  // namespace tarnvik
