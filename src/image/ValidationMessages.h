#pragma once
// The texts the encoder shows when it refuses a setting. The operator reads
// them in the information box; they must stay exactly as they are.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvik {

enum class Problem {
  TooShort,   // a text that must not be empty is empty
  Range,      // a number outside its range, or an SSID that does not convert
  Syntax,     // a position text in the wrong form
  Forbidden,  // a message holding characters the unit cannot send
  TooLong,    // a text that does not fit its image field
};

// The message for a problem with a setting. The number of a numbered family
// (the 2 of "Beacon2_msg") goes into the message; maxChars is what fits the
// field, for TooLong. A setting without that message is a programming error
// (std::logic_error).
std::string ValidationMessage(std::string_view setting, Problem problem, std::size_t maxChars = 0);

}  // namespace tarnvik
