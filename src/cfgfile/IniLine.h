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
  // In a file read as UTF-8 (TextEncoding): the name holds a character that
  // the unit's 8-bit set lacks, or bytes that are no UTF-8. Every name the
  // program asks for is of that set, so such a name matches none either.
  bool nameUnstorable = false;
  // A key's value: the text after the "=" up to the first NUL byte, if any,
  // with blanks at both ends and one pair of matching enclosing quotes
  // removed, at most kMaxValueLength characters.
  std::string_view value;
  // The same for the value: each such character stands as "?" in it, as in
  // the system's conversions to an 8-bit set.
  bool valueUnstorable = false;

  bool nameMatchable() const { return !nameTooLong && !nameUnstorable; }
};

}  // namespace tarnvik::ini
