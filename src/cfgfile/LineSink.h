#pragma once
// Receives a byte stream line by line, in pieces, so that no line has to be
// held whole.

#include <string_view>

#include "cfgfile/TextEncoding.h"

namespace tarnvik::ini {

class LineSink {
 public:
  virtual ~LineSink() = default;
  // How the file's text is encoded, told once before its first line: the
  // lines that follow are its bytes as they are (Bytes) or UTF-8 (any file
  // with a byte-order mark; see TextEncoding).
  virtual void textEncoding(TextEncoding) {}
  // The next bytes of the current line (never empty, never a line end).
  virtual void lineData(std::string_view piece) = 0;
  // The current line ends with `terminator`: "\r\n", "\n", "\r", or "" for a
  // last line without a line end.
  virtual void lineEnd(std::string_view terminator) = 0;
  // A UTF-16 file ended in the middle of a unit: its odd last byte, which is
  // no character and is in no line. Told after the last line.
  virtual void strayByte(char) {}
};

}  // namespace tarnvik::ini
