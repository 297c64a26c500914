#pragma once
// How the bytes of a profile file stand for its text. A file is read the way
// the system's profile functions read it: one that starts with a byte-order
// mark is Unicode text in the encoding the mark names (Windows editors such
// as Notepad save files so), any other file is taken byte for byte as
// characters of the unit's 8-bit set (ISO 8859-1).
//
// Inside the INI layer the lines of a Unicode file travel as UTF-8 (a UTF-16
// file is converted), so that line ends, "=", "[" and blanks stay single
// bytes; each line is narrowed into the unit's set only when it is scanned.

#include <array>
#include <cstdint>
#include <string_view>

namespace tarnvik::ini {

enum class TextEncoding {
  Bytes,    // no byte-order mark: one byte, one character
  Utf8,     // EF BB BF
  Utf16Le,  // FF FE, then units of two bytes, the low one first
  Utf16Be,  // FE FF, then units of two bytes, the high one first
};

struct EncodingMark {
  TextEncoding encoding;
  std::string_view bytes;
};

// The marks a file may start with. None is the start of another.
inline constexpr std::array<EncodingMark, 3> kEncodingMarks{{
    {TextEncoding::Utf8, "\xEF\xBB\xBF"},
    {TextEncoding::Utf16Le, "\xFF\xFE"},
    {TextEncoding::Utf16Be, "\xFE\xFF"},
}};

// The mark that starts a file in `encoding`; empty for Bytes.
constexpr std::string_view MarkOf(TextEncoding encoding) {
  for (const EncodingMark& mark : kEncodingMarks)
    if (mark.encoding == encoding) return mark.bytes;
  return {};
}

// True when the lines of a file in `encoding` travel as UTF-8.
constexpr bool LinesAreUtf8(TextEncoding encoding) { return encoding != TextEncoding::Bytes; }

constexpr bool IsUtf16(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
}

// Writes `codePoint` (at most 0x10FFFF) in UTF-8 at `to`, at most four
// bytes, and returns the end. A surrogate (0xD800 to 0xDFFF, which UTF-16
// text may hold unpaired) gets the three bytes its number gives, so that such
// text comes back unchanged when converted again. Callers convert whole
// pieces into room made once, rather than growing a string a byte at a time.
inline char* PutUtf8(char* to, std::uint32_t codePoint) {
  // The length, and the lead byte's mark for it; each further byte takes six bits.
  const int more = codePoint < 0x80 ? 0 : codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
  constexpr std::uint32_t kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
  *to++ = static_cast<char>(kLead[more] | codePoint >> (6 * more));
  for (int shift = 6 * (more - 1); shift >= 0; shift -= 6)
    *to++ = static_cast<char>(0x80 | (codePoint >> shift & 0x3F));
  return to;
}

}  // namespace tarnvik::ini
