#pragma once
// The first stage of every read of a profile file: finds the byte-order mark
// that says how the file's text is encoded (TextEncoding), tells the sink,
// and hands the text on to a LineSplitter without the mark: the bytes as they
// are, or UTF-8, into which UTF-16 text is converted as it streams past.
//
// The conversion loses nothing, so that a save can give the lines it keeps
// back in UTF-16 exactly as they were (TextEncoder): a surrogate without its
// partner keeps its own three-byte form, and a last byte that completes no
// unit goes to the sink's strayByte() rather than into a line.

#include <cstdint>
#include <string>
#include <string_view>

#include "cfgfile/LineSink.h"
#include "cfgfile/LineSplitter.h"
#include "cfgfile/TextEncoding.h"

namespace tarnvik::ini {

class TextDecoder {
 public:
  explicit TextDecoder(LineSink& sink) : sink_(sink), splitter_(sink) {}

  // The next bytes of the file, in pieces of any size.
  void feed(std::string_view chunk);
  // End of the file.
  void finish();

 private:
  void lookAtHead();
  void decide(TextEncoding encoding);
  void pass(std::string_view bytes);
  void fromUtf16(std::string_view bytes);
  void unit(std::uint32_t value);
  char* room(std::size_t units);

  LineSink& sink_;
  LineSplitter splitter_;
  bool decided_ = false;
  TextEncoding encoding_ = TextEncoding::Bytes;
  std::string head_;               // the first bytes, while they may still be a mark
  int pendingByte_ = -1;           // the first byte of a UTF-16 unit whose second is still to come
  std::uint32_t pendingHigh_ = 0;  // a high surrogate waiting for its low one
  std::string converted_;          // room for UTF-16 text as UTF-8, reused from chunk to chunk
  char* put_ = nullptr;            // where the next converted byte goes
};

// Streams the lines of the regular file at `path` into `sink`. False when the
// file cannot be opened or read or is not a regular file (a device or a pipe
// could block or never end); the sink may then have seen part of it.
bool ScanLines(const std::string& path, LineSink& sink);
// Streams the lines of a file's content held in memory into `sink`.
void ScanText(std::string_view text, LineSink& sink);

}  // namespace tarnvik::ini
