#pragma once
// Cuts a byte stream into lines without ever holding a whole line: the bytes
// of a line go to the sink piece by piece, then its line end. CR LF, LF and a
// lone CR all end a line, so files from any platform read alike. A UTF-8
// byte-order mark at the very start, as some Windows editors save a file, is
// not part of the first line.

#include <string>
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
  std::string_view skipMark(std::string_view chunk);
  void endMark();

  LineSink& sink_;
  bool pendingCr_ = false;  // a CR ended the last chunk; an LF may follow
  bool lineOpen_ = false;
  bool atStart_ = true;          // the byte-order mark is still looked for
  std::size_t markMatched_ = 0;  // its bytes seen so far
};

// Streams the lines of the regular file at `path` into `sink`. False when the
// file cannot be opened or read or is not a regular file (a device or a pipe
// could block or never end); the sink may then have seen part of it.
bool ScanLines(const std::string& path, LineSink& sink);
// Streams the lines of a file's content held in memory into `sink`.
void ScanText(std::string_view text, LineSink& sink);

}  // namespace tarnvik::ini
