#pragma once
// Cuts a byte stream into lines without ever holding a whole line: the bytes
// of a line go to the sink piece by piece, then its line end. CR LF, LF and a
// lone CR all end a line, so files from any platform read alike. It cuts
// the text as TextDecoder hands it on, without the byte-order mark.

#include <string_view>

#include "cfgfile/LineSink.h"

namespace tarnvik::ini {

class LineSplitter {
 public:
  explicit LineSplitter(LineSink& sink) : sink_(sink) {}

  void feed(std::string_view chunk);
  // End of the stream: ends a last line that has no line end.
  void finish();

 private:
  void data(std::string_view piece);
  void end(std::string_view terminator);

  LineSink& sink_;
  bool pendingCr_ = false;  // a CR ended the last chunk; an LF may follow
  bool lineOpen_ = false;
};

}  // namespace tarnvik::ini
