#pragma once
// What one line of a profile file means under the reading rules.

#include <string_view>

namespace tarnvik::ini {

struct IniLine {
  enum class Kind {
    Blank,   // nothing but blanks
    Header,  // "[" name "]": from the first "[" to the last "]" of the line
    Key,     // name "=" value: split at the first "="
    Other,   // anything else (no "=", a "[" without "]"); not a key
  };
  Kind kind = Kind::Blank;
  // Section or key name without the blanks around it. A name longer than
  // kMaxNameLength is cut and marked too long: it matches no name.
  // Name and value are views into the scanner that made the line.
  std::string_view name;
  bool nameTooLong = false;
  // A key's value: the text after the "=" up to the first NUL byte, if any,
  // with blanks at both ends and one pair of matching enclosing quotes
  // removed, at most kMaxValueLength characters.
  std::string_view value;
};

}  // namespace tarnvik::ini
