#pragma once
// Small text rules shared by the profile reader and writer. Profile texts are
// 8-bit (ISO 8859-1) and handled byte by byte; names compare without regard to
// the case of the ASCII letters, as the classic profile functions do.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarnvik::ini {

// The longest value a read returns, in characters (a 2048-byte buffer with
// its terminating zero in the classic functions).
inline constexpr std::size_t kMaxValueLength = 2047;
// Section and key names longer than this match no name the program asks for.
inline constexpr std::size_t kMaxNameLength = 255;

// The line end every written line gets.
inline constexpr std::string_view kLineEnd = "\r\n";

// The blanks that names and values lose at both ends, as the system's
// profile functions trim them: space, tab, vertical tab, form feed, and the
// end-of-file mark (Ctrl+Z) that old editors put after the last line.
inline constexpr std::string_view kBlanks = " \t\v\f\x1A";

// By table: every byte of every name and value is looked at.
inline constexpr std::array<bool, 256> kIsBlank = [] {
  std::array<bool, 256> table{};
  for (const char c : kBlanks) table[static_cast<unsigned char>(c)] = true;
  return table;
}();
inline bool IsBlank(char c) { return kIsBlank[static_cast<unsigned char>(c)]; }

// By table: names are compared a character at a time, often.
inline constexpr std::array<char, 256> kLowerAscii = [] {
  std::array<char, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<char>(i >= 'A' && i <= 'Z' ? i - 'A' + 'a' : i);
  return table;
}();
inline char LowerAscii(char c) { return kLowerAscii[static_cast<unsigned char>(c)]; }

std::string LowerAscii(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string_view TrimBlanks(std::string_view text);

// Hashing and equality without regard to case, for maps keyed by a name as
// first spelled and found by any spelling without a lower-case copy.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const;
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return EqualNoCase(a, b); }
};
template <typename T>
using NoCaseMap = std::unordered_map<std::string, T, NoCaseHash, NoCaseEqual>;
// The same keyed by views of names kept elsewhere, which must outlive the map.
template <typename T>
using NoCaseViewMap = std::unordered_map<std::string_view, T, NoCaseHash, NoCaseEqual>;

}  // namespace tarnvik::ini
