#include "support/UnitText.h"

#include <cstdint>

namespace tarnvik::test {

namespace {

// The well-formed UTF-8 sequences of more than one byte: the lead bytes, the
// range of the second byte after them (every later byte is 0x80 to 0xBF),
// and the length.
struct WellFormed {
  unsigned char leadFirst, leadLast, secondFirst, secondLast;
  std::size_t length;
};
constexpr WellFormed kWellFormed[] = {
    {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3}, {0xED, 0xED, 0x80, 0x9F, 3},
    {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
};

unsigned char At(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// The length of the well-formed sequence at `i`, or 0.
std::size_t SequenceAt(std::string_view text, std::size_t i) {
  for (const WellFormed& form : kWellFormed) {
    if (At(text, i) < form.leadFirst || At(text, i) > form.leadLast || i + form.length > text.size()) continue;
    if (At(text, i + 1) < form.secondFirst || At(text, i + 1) > form.secondLast) return 0;
    for (std::size_t k = 2; k < form.length; ++k)
      if ((At(text, i + k) & 0xC0) != 0x80) return 0;
    return form.length;
  }
  return 0;
}

std::string FromUtf8(std::string_view text) {
  std::string unit;
  for (std::size_t i = 0; i < text.size();) {
    if (At(text, i) < 0x80) {
      unit += text[i++];
      continue;
    }
    const std::size_t length = SequenceAt(text, i);
    const std::uint32_t value = length == 2 ? (At(text, i) & 0x1Fu) << 6 | (At(text, i + 1) & 0x3Fu) : 0x100;
    unit += value <= 0xFF ? static_cast<char>(value) : '?';
    i += length == 0 ? 1 : length;
  }
  return unit;
}

std::string FromUtf16(std::string_view text, bool lowFirst) {
  std::string unit;
  const auto unitAt = [&](std::size_t i) -> std::uint32_t {
    return lowFirst ? At(text, i) | At(text, i + 1) << 8 : At(text, i) << 8 | At(text, i + 1);
  };
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    const std::uint32_t value = unitAt(i);
    const bool pair =
        value >= 0xD800 && value <= 0xDBFF && i + 3 < text.size() && unitAt(i + 2) >= 0xDC00 && unitAt(i + 2) <= 0xDFFF;
    if (pair) i += 2;
    unit += value <= 0xFF ? static_cast<char>(value) : '?';
  }
  return unit;
}

}  // namespace

std::optional<std::string> AsUnitText(std::string_view file) {
  if (file.starts_with("\xEF\xBB\xBF")) return FromUtf8(file.substr(3));
  if (file.starts_with("\xFF\xFE")) return FromUtf16(file.substr(2), true);
  if (file.starts_with("\xFE\xFF")) return FromUtf16(file.substr(2), false);
  return std::nullopt;
}

}  // namespace tarnvik::test
