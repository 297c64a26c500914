#pragma once
// What the unit would hold of a file saved as Unicode text, worked out on its
// own from the Unicode standard's table of well-formed UTF-8, for the fuzz
// targets to hold the INI layer's streaming decoder against.

#include <optional>
#include <string>
#include <string_view>

namespace tarnvik::test {

// The text of a file that starts with a byte-order mark (UTF-8, UTF-16 low
// or high byte first) in the unit's 8-bit set (ISO 8859-1), with "?" for
// every character beyond the set and for every byte that is no well-formed
// UTF-8 or unit that is an unpaired surrogate; an odd last byte of UTF-16 is
// no character and is dropped. Nothing for a file without a mark.
std::optional<std::string> AsUnitText(std::string_view file);

}  // namespace tarnvik::test
