#pragma once
// Small text rules shared by the profile reader and writer. Profile texts are
// 8-bit (ISO 8859-1) and handled byte by byte; names compare without regard to
// the case of the ASCII letters, as the classic profile functions do.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvik::ini {

// The longest value a read returns, in characters (a 2048-byte buffer with
// its terminating zero in the classic functions).
inline constexpr std::size_t kMaxValueLength = 2047;
// Section and key names longer than this match no name the program asks for.
inline constexpr std::size_t kMaxNameLength = 255;

// The line end every written line gets.
inline constexpr std::string_view kLineEnd = "\r\n";

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text);
// The same into a buffer that keeps its memory from call to call.
void LowerAsciiInto(std::string_view text, std::string& out);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string_view TrimBlanks(std::string_view text);

}  // namespace tarnvik::ini
