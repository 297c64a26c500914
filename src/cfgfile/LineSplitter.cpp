#include "cfgfile/LineSplitter.h"

#include <algorithm>
#include <vector>

#include "platform/InputFile.h"

namespace tarnvik::ini {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

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
  while (!chunk.empty()) {
    const auto stop = std::find_if(chunk.begin(), chunk.end(), IsLineEnd);
    const std::size_t at = static_cast<std::size_t>(stop - chunk.begin());
    data(chunk.substr(0, at));
    if (stop == chunk.end()) return;
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
  std::vector<char> buffer(kChunkSize);
  for (std::size_t count = 0;;) {
    if (!file.read(buffer.data(), buffer.size(), count)) return false;
    if (count == 0) break;
    splitter.feed(std::string_view(buffer.data(), count));
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
