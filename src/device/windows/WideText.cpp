#include "device/windows/WideText.h"

#include <cstdint>

#include "platform/Utf16Text.h"

namespace tarnvik::winhid {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t code) {
  const auto byte = [&](std::uint32_t value) { out += static_cast<char>(value); };
  if (code < 0x80) {
    byte(code);
  } else if (code < 0x800) {
    byte(0xC0 | (code >> 6));
    byte(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    byte(0xE0 | (code >> 12));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  } else {
    byte(0xF0 | (code >> 18));
    byte(0x80 | ((code >> 12) & 0x3F));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  }
}

using platform::AppendUtf16;

// The code point of the UTF-16 text at `i`, moving `i` past it.
char32_t NextFromUtf16(std::u16string_view wide, std::size_t& i) {
  const char32_t unit = wide[i++];
  if (IsHighSurrogate(unit) && i < wide.size() && IsLowSurrogate(wide[i]))
    return 0x10000 + ((unit - 0xD800) << 10) + (char32_t{wide[i++]} - 0xDC00);
  if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) return kReplacement;
  return unit;
}

// The lead bytes of multi-byte UTF-8 sequences: the bits that mark them, how
// many continuation bytes follow, and the smallest code point the length may
// carry (anything smaller is an overlong form).
struct Utf8Lead {
  unsigned char mask;
  unsigned char marker;
  int continuation;
  char32_t lowest;
};
constexpr Utf8Lead kUtf8Leads[] = {{0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};

// The code point of the UTF-8 text at `i`, moving `i` past it. A sequence
// that is cut short, overlong, a surrogate or beyond U+10FFFF gives U+FFFD
// and moves past its first byte only.
char32_t NextFromUtf8(std::string_view utf8, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  if (lead < 0x80) return lead;
  for (const Utf8Lead& form : kUtf8Leads) {
    if ((lead & form.mask) != form.marker) continue;
    const auto length = static_cast<std::size_t>(form.continuation);
    if (utf8.size() - i < length) return kReplacement;
    char32_t code = lead & static_cast<unsigned char>(~form.mask);
    for (std::size_t k = 0; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return kReplacement;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < form.lowest || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) return kReplacement;
    i += length;
    return code;
  }
  return kReplacement;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size();) AppendUtf8(out, NextFromUtf16(wide, i));
  return out;
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) AppendUtf16(out, NextFromUtf8(utf8, i));
  return out;
}

std::string LogTextFromUtf16(std::u16string_view wide) {
  std::string out;
  for (std::size_t i = 0; i < wide.size();) {
    const char32_t code = NextFromUtf16(wide, i);
    if (code == U'\r' || code == U'\n' || code == U'\t')
      out += ' ';
    else if (code < 0x20 || (code >= 0x7F && code < 0xA0))
      continue;
    else
      AppendUtf8(out, code);
  }
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

}  // namespace tarnvik::winhid
