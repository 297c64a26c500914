#pragma once
// For the configuration file tests: the shared file helpers. (Saves run in a
// child process with fewer rights or a file size limit use RunInChild from
// support/OtherProgram.h, on POSIX systems.)

#include <string>
#include <string_view>

#include "support/TestFiles.h"

namespace tarnvik::test {

// A file as Windows editors save Unicode text: the byte-order mark, then the
// text in UTF-16 with the low byte of each unit first (Notepad's "Unicode")
// or the high byte first, or in UTF-8 (written as u8"...").
inline std::string Utf16File(std::u16string_view text, bool lowFirst) {
  std::string bytes = lowFirst ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += lowFirst ? low : high;
    bytes += lowFirst ? high : low;
  }
  return bytes;
}
inline std::string Utf8File(std::u8string_view text) {
  return "\xEF\xBB\xBF" + std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace tarnvik::test
