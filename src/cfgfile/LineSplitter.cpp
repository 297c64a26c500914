#include "cfgfile/LineSplitter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/posix/UniqueFd.h"

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
  // Non-blocking open: opening a pipe for reading would otherwise wait for a writer.
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  LineSplitter splitter(sink);
  // No larger than the file needs (one byte more, so that the end shows at
  // the second read), and not cleared: it is read into before it is used.
  const std::size_t size = std::clamp<std::size_t>(static_cast<std::size_t>(info.st_size) + 1, 1, kChunkSize);
  const auto buffer = std::make_unique_for_overwrite<char[]>(size);
  for (;;) {
    const ssize_t count = ::read(fd.get(), buffer.get(), size);
    if (count == 0) break;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    splitter.feed(std::string_view(buffer.get(), static_cast<std::size_t>(count)));
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
