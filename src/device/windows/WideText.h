#pragma once
// Conversions between the program's texts and Windows' wide (UTF-16) texts,
// written without the system's calls so that they build and are tested on
// every system.
//
// Paths travel through the program as UTF-8 and must come back to the same
// wide text when opened, so valid text converts both ways without loss.
// Broken text (a lone surrogate, a stray or truncated UTF-8 sequence) becomes
// U+FFFD, never a crash or a read past the end.
//
// The system's messages go into the log as UTF-8, in the user's language:
// the window and a console show each valid UTF-8 sequence of a log line as
// its character and any other byte (a unit's ISO 8859-1 text) as Latin-1.

#include <string>
#include <string_view>

namespace tarnvik::winhid {

std::string Utf8FromUtf16(std::u16string_view wide);
std::u16string Utf16FromUtf8(std::string_view utf8);

// A system message as a log text in UTF-8: line breaks and tabs become
// blanks, other control characters are dropped, and blanks at both ends are
// removed (messages end with CR LF).
std::string LogTextFromUtf16(std::u16string_view wide);

}  // namespace tarnvik::winhid
