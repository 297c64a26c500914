#pragma once
// Receives a byte stream line by line, in pieces, so that no line has to be
// held whole.

#include <string_view>

namespace tarnvik::ini {

class LineSink {
 public:
  virtual ~LineSink() = default;
  // The next bytes of the current line (never empty, never a line end).
  virtual void lineData(std::string_view piece) = 0;
  // The current line ends with `terminator`: "\r\n", "\n", "\r", or "" for a
  // last line without a line end.
  virtual void lineEnd(std::string_view terminator) = 0;
};

}  // namespace tarnvik::ini
