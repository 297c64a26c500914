#include "cfgfile/LineSplitter.h"

#include <cstring>

namespace tarnvik::ini {

namespace {

// The first `c` in [from, to), or `to`.
const char* Find(const char* from, const char* to, char c) {
  const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
  return found != nullptr ? static_cast<const char*>(found) : to;
}

}  // namespace

void LineSplitter::feed(std::string_view chunk) {
  if (!chunk.empty() && pendingCr_) {
    pendingCr_ = false;
    const bool crlf = chunk.front() == '\n';
    end(crlf ? "\r\n" : "\r");
    if (crlf) chunk.remove_prefix(1);
  }
  // The next LF is looked for once and remembered while it lies ahead, and a
  // CR only before it, so that the search stays linear whatever the line ends.
  const char* const last = chunk.data() + chunk.size();
  const char* lf = nullptr;
  while (!chunk.empty()) {
    if (lf == nullptr || (lf != last && lf < chunk.data())) lf = Find(chunk.data(), last, '\n');
    const char* const stop = Find(chunk.data(), lf, '\r');
    const std::size_t at = static_cast<std::size_t>(stop - chunk.data());
    data(chunk.substr(0, at));
    if (stop == last) return;
    if (*stop == '\r' && at + 1 == chunk.size()) {
      pendingCr_ = true;
      return;
    }
    const bool crlf = *stop == '\r' && chunk[at + 1] == '\n';
    end(crlf ? "\r\n" : *stop == '\r' ? "\r" : "\n");
    chunk.remove_prefix(at + (crlf ? 2 : 1));
  }
}

void LineSplitter::finish() {
  if (pendingCr_)
    end("\r");
  else if (lineOpen_)
    end("");
  pendingCr_ = false;
}

void LineSplitter::data(std::string_view piece) {
  if (piece.empty()) return;
  lineOpen_ = true;
  sink_.lineData(piece);
}

void LineSplitter::end(std::string_view terminator) {
  lineOpen_ = false;
  sink_.lineEnd(terminator);
}

}  // namespace tarnvik::ini
