#pragma once
// Reads the meaning of a profile line from its bytes as they stream past, in
// pieces of any size, keeping only a bounded part of the name and the value.
// A line of megabytes therefore costs no more memory than a short one.

#include <cstddef>
#include <string_view>

#include "cfgfile/BoundedText.h"
#include "cfgfile/IniLine.h"
#include "cfgfile/IniText.h"

namespace tarnvik::ini {

class IniLineScanner {
 public:
  // The next bytes of the current line, without its line end.
  void feed(std::string_view piece);
  // The meaning of the line fed so far; the scanner is then ready for the
  // next. The result, whose name and value are views of the scanner's own
  // buffers, stays valid until the next feed() or finish(); the buffers are
  // reused from line to line, so millions of lines cost no allocation each.
  const IniLine& finish();

 private:
  enum class State { Start, Header, KeyName, Value, ValueEnded, Skip };

  // Each takes the start of `piece` and returns what it left for the next state.
  std::string_view start(std::string_view piece);
  std::string_view header(std::string_view piece);
  std::string_view keyName(std::string_view piece);
  std::string_view value(std::string_view piece);
  void headerLine();
  void keyLine();
  void reset();

  State state_ = State::Start;
  BoundedText name_{kMaxNameLength};
  // Two more than a value may hold: the enclosing quotes of a long value.
  BoundedText value_{kMaxValueLength + 2};
  // The header name ends at the last "]": its length and state at that point.
  bool closed_ = false;
  std::size_t closedLength_ = 0;
  bool closedOverflowed_ = false;
  bool finished_ = false;  // line_ views the buffers: clear them at the next line
  IniLine line_;
};

// The value under the reading rules, from its trimmed bounded text.
std::string_view ValueOf(const BoundedText& text);

}  // namespace tarnvik::ini
