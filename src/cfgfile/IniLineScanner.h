#pragma once
// Reads the meaning of a profile line from its bytes as they stream past, in
// pieces of any size, keeping only a bounded part of the name and the value.
// A line of megabytes therefore costs no more memory than a short one.
//
// The lines of a file read as UTF-8 (TextEncoding) are narrowed into the
// unit's 8-bit set first; the line tells where a character that the set
// lacks stood (IniLine::nameUnstorable, valueUnstorable).

#include <cstddef>
#include <string_view>

#include "cfgfile/BoundedText.h"
#include "cfgfile/IniLine.h"
#include "cfgfile/IniText.h"
#include "cfgfile/TextEncoding.h"
#include "cfgfile/Utf8Narrower.h"

namespace tarnvik::ini {

class IniLineScanner : private Utf8Narrower::Sink {
 public:
  // How the lines to come are encoded (Bytes until told).
  void setEncoding(TextEncoding encoding) { utf8_ = LinesAreUtf8(encoding); }
  // The next bytes of the current line, without its line end.
  void feed(std::string_view piece);
  // The meaning of the line fed so far; the scanner is then ready for the
  // next. The result, whose name and value are views of the scanner's own
  // buffers, stays valid until the next feed() or finish(); the buffers are
  // reused from line to line, so millions of lines cost no allocation each.
  const IniLine& finish();

 private:
  enum class State { Start, Header, KeyName, Value, ValueEnded, Skip };
  static constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);

  // The line's characters, of the unit's set.
  void narrowed(std::string_view piece) override;
  // A character the set lacks: its stand-in goes where it stood, noted.
  void unstorable() override;

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
  // Where the first character that the unit's set lacks stands in the name
  // and in the value, or kNowhere.
  std::size_t nameFault_ = kNowhere;
  std::size_t valueFault_ = kNowhere;
  bool utf8_ = false;
  Utf8Narrower narrower_{*this};
  bool finished_ = false;  // line_ views the buffers: clear them at the next line
  IniLine line_;
};

// The value under the reading rules, from its trimmed bounded text.
std::string_view ValueOf(const BoundedText& text);

}  // namespace tarnvik::ini
