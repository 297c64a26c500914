#include "cfgfile/LineSplitter.h"

#include <cstring>
#include <memory>

#include "platform/InputFile.h"

namespace tarnvik::ini {

namespace {

// The first `c` in [from, to), or `to`.
const char* Find(const char* from, const char* to, char c) {
  const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
  return found != nullptr ? static_cast<const char*>(found) : to;
}

constexpr std::size_t kChunkSize = 64 * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void LineSplitter::feed(std::string_view chunk) {
  chunk = skipMark(chunk);
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

// The mark may come split over chunks; bytes that start like it but are not
// it are the line's after all.
std::string_view LineSplitter::skipMark(std::string_view chunk) {
  while (atStart_ && !chunk.empty()) {
    if (chunk.front() != kByteOrderMark[markMatched_]) {
      endMark();
      break;
    }
    chunk.remove_prefix(1);
    if (++markMatched_ == kByteOrderMark.size()) atStart_ = false;
  }
  return chunk;
}

void LineSplitter::endMark() {
  atStart_ = false;
  data(kByteOrderMark.substr(0, markMatched_));
}

void LineSplitter::finish() {
  if (atStart_) endMark();
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

bool ScanLines(const std::string& path, LineSink& sink) {
  platform::InputFile file(path, platform::InputFile::Wait::No);
  if (!file.isOpen() || !file.isRegular()) return false;
  LineSplitter splitter(sink);
  // Not cleared: it is read into before it is used.
  const auto buffer = std::make_unique_for_overwrite<char[]>(kChunkSize);
  for (std::size_t count = 0;;) {
    if (!file.read(buffer.get(), kChunkSize, count)) return false;
    if (count == 0) break;
    splitter.feed(std::string_view(buffer.get(), count));
  }
  splitter.finish();
  return true;
}

void ScanText(std::string_view text, LineSink& sink) {
  LineSplitter splitter(sink);
  splitter.feed(text);
  splitter.finish();
}

}  // namespace tarnvik::ini
