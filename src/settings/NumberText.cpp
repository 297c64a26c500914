#include "settings/NumberText.h"

#include <string>

#include "core/OperationError.h"

namespace tarnvik {

namespace {

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  return value < base ? value : -1;
}

// Sign already taken off; digits only, at least one, magnitude within the
// range of the sign (2147483648 only when negative).
std::optional<std::int32_t> ParseMagnitude(std::string_view digits, int base, bool negative) {
  if (digits.empty()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

bool TakeSign(std::string_view& text) {
  if (text.empty() || (text[0] != '+' && text[0] != '-')) return false;
  const bool negative = text[0] == '-';
  text.remove_prefix(1);
  return negative;
}

}  // namespace

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  const bool negative = TakeSign(text);
  return ParseMagnitude(text, 10, negative);
}

std::int32_t ConvertDecimal(std::string_view text) {
  if (const auto value = ParseDecimal(text)) return *value;
  throw ConversionError(std::string(text));
}

std::optional<std::int32_t> ParseFileInteger(std::string_view text) {
  while (!text.empty() && text[0] == ' ') text.remove_prefix(1);
  const bool negative = TakeSign(text);
  if (text.starts_with('$')) return ParseMagnitude(text.substr(1), 16, negative);
  if (text.starts_with("0x") || text.starts_with("0X")) return ParseMagnitude(text.substr(2), 16, negative);
  return ParseMagnitude(text, 10, negative);
}

std::int32_t ConvertFileInteger(std::string_view text) {
  if (const auto value = ParseFileInteger(text)) return *value;
  throw ConversionError(std::string(text));
}

}  // namespace tarnvik
