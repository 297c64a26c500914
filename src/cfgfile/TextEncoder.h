#pragma once
// The last stage of a profile write: puts the merged text into the encoding
// of the file it replaces, so that a file keeps the form the editor that made
// it gave it (its byte-order mark, UTF-8 or UTF-16 in its byte order) and
// stays readable there. Two kinds of text go through: the file's own lines,
// as TextDecoder handed them on, and the lines the program writes, whose
// texts are of the unit's set (ISO 8859-1). Every character of that set has
// a Unicode form, so nothing the program writes is lost, and the file's own
// lines come back byte for byte.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cfgfile/TextEncoding.h"

namespace tarnvik::ini {

// Where the merged file goes, piece by piece: a replacement file, or a text.
using TextOut = std::function<void(std::string_view bytes)>;

class TextEncoder {
 public:
  explicit TextEncoder(TextOut out) : out_(std::move(out)) {}

  // The file's encoding, before any text; writes its byte-order mark. A file
  // that is new, or never told, is written as Bytes.
  void begin(TextEncoding encoding);
  // The file's own text as TextDecoder handed it on (in pieces of any size).
  void fileText(std::string_view text);
  // Text of the unit's 8-bit set that the program writes.
  void ownText(std::string_view text);
  // Bytes that go out as they are: the stray last byte of a UTF-16 file.
  void raw(std::string_view bytes) { out_(bytes); }

 private:
  void toUtf16(std::string_view utf8);
  void putUnit(std::uint32_t unit);
  // Room for `most` converted bytes, from where the next goes.
  char* room(std::size_t most);
  void flush(const char* from) { out_({from, static_cast<std::size_t>(put_ - from)}); }

  TextOut out_;
  TextEncoding encoding_ = TextEncoding::Bytes;
  std::string converted_;  // room reused from piece to piece
  char* put_ = nullptr;    // where the next converted byte goes
  // A UTF-8 sequence whose bytes are split over pieces: its value so far and
  // the number of bytes still to come.
  std::uint32_t partial_ = 0;
  int missing_ = 0;
};

}  // namespace tarnvik::ini
