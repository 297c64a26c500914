#pragma once
// One character appended to UTF-16 text, the text of Windows' wide calls and
// of its consoles: a character beyond the basic plane takes a surrogate pair.

#include <string>

namespace tarnvik::platform {

inline void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
    return;
  }
  code -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (code >> 10));
  out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

}  // namespace tarnvik::platform
