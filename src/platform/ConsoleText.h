#pragma once
// What the program writes, as a console that shows characters and not bytes
// (Windows' consoles, which read bytes in an old code page of their own)
// must be given it. The program's bytes are of two kinds: its messages and
// the names of files are UTF-8, the unit's texts (a setting's value such as
// a callsign, a comment or a whole .cfg file) are ISO 8859-1. Text in UTF-8
// is rarely anything but that, and an ISO 8859-1 letter beyond ASCII is
// rarely followed by what would make it UTF-8 ("Mäki" is 4D E4 6B 69), so
// each sequence that is valid UTF-8 is read as such and every other byte as
// ISO 8859-1. Pipes and files get the bytes themselves.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvik::platform {

// `bytes` as UTF-16 text for the console: valid UTF-8 sequences as their
// characters, every other byte as the ISO 8859-1 character of its value.
std::u16string ConsoleText(std::string_view bytes);

// How much of `bytes` can be shown now: all of it, except a UTF-8 sequence
// begun at its end and not yet complete, which waits for the bytes that
// follow (a buffer full in the middle of a character).
std::size_t CompleteLength(std::string_view bytes);

}  // namespace tarnvik::platform
