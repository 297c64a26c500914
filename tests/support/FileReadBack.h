#pragma once
// What a configuration file keeps of a text: the reading rules of the INI
// format, written down once for the round-trip tests and the fuzz targets.

#include <string>
#include <string_view>

namespace tarnvik::test {

// What Read from file gives for a text that Save to file wrote: line breaks
// were written as blanks; the reader drops the blanks (space, tab, vertical
// tab, form feed, Ctrl+Z) at both ends, then one pair of matching enclosing
// quotes (" or '), and keeps at most 2047 characters.
std::string AsReadBack(std::string_view written);

}  // namespace tarnvik::test
