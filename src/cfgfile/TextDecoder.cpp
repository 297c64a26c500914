#include "cfgfile/TextDecoder.h"

#include <memory>

#include "platform/InputFile.h"

namespace tarnvik::ini {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

constexpr bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

// The mark may come split over chunks; until it is known, the bytes wait.
void TextDecoder::feed(std::string_view chunk) {
  while (!decided_ && !chunk.empty()) {
    head_ += chunk.front();
    chunk.remove_prefix(1);
    lookAtHead();
  }
  if (!chunk.empty()) pass(chunk);
}

// A mark whole decides its encoding; bytes that begin no mark are text.
void TextDecoder::lookAtHead() {
  bool mayBeMark = false;
  for (const EncodingMark& mark : kEncodingMarks) {
    if (head_ == mark.bytes) return decide(mark.encoding);
    mayBeMark = mayBeMark || mark.bytes.starts_with(head_);
  }
  if (mayBeMark) return;
  const std::string text = std::move(head_);
  decide(TextEncoding::Bytes);
  pass(text);
}

void TextDecoder::decide(TextEncoding encoding) {
  decided_ = true;
  encoding_ = encoding;
  head_.clear();
  sink_.textEncoding(encoding);
}

void TextDecoder::finish() {
  if (!decided_) {
    const std::string text = std::move(head_);
    decide(TextEncoding::Bytes);
    pass(text);
  }
  if (pendingHigh_ != 0) {
    char* const from = room(0);
    put_ = PutUtf8(from, pendingHigh_);
    pendingHigh_ = 0;
    splitter_.feed({from, static_cast<std::size_t>(put_ - from)});
  }
  splitter_.finish();
  if (pendingByte_ >= 0) sink_.strayByte(static_cast<char>(pendingByte_));
  pendingByte_ = -1;
}

void TextDecoder::pass(std::string_view bytes) {
  if (IsUtf16(encoding_))
    fromUtf16(bytes);
  else if (!bytes.empty())
    splitter_.feed(bytes);
}

// Units may be split over chunks: an odd byte waits for its partner.
void TextDecoder::fromUtf16(std::string_view bytes) {
  const bool lowFirst = encoding_ == TextEncoding::Utf16Le;
  const auto unitOf = [lowFirst](unsigned char first, unsigned char second) {
    return lowFirst ? std::uint32_t{first} | std::uint32_t{second} << 8 : std::uint32_t{first} << 8 | second;
  };
  char* const from = room(bytes.size() / 2);
  std::size_t at = 0;
  if (pendingByte_ >= 0 && !bytes.empty()) {
    unit(unitOf(static_cast<unsigned char>(pendingByte_), static_cast<unsigned char>(bytes[0])));
    pendingByte_ = -1;
    at = 1;
  }
  for (; at + 1 < bytes.size(); at += 2)
    unit(unitOf(static_cast<unsigned char>(bytes[at]), static_cast<unsigned char>(bytes[at + 1])));
  if (at < bytes.size()) pendingByte_ = static_cast<unsigned char>(bytes[at]);
  if (put_ != from) splitter_.feed({from, static_cast<std::size_t>(put_ - from)});
}

// Each unit takes at most three bytes, and so does a high surrogate left
// waiting from the chunk before.
char* TextDecoder::room(std::size_t units) {
  const std::size_t most = 3 * (units + 2);
  if (converted_.size() < most) converted_.resize(most);
  put_ = converted_.data();
  return put_;
}

// A high surrogate waits for the unit after it: with a low one it makes one
// character, without one it stands alone.
void TextDecoder::unit(std::uint32_t value) {
  if (pendingHigh_ != 0) {
    const std::uint32_t high = pendingHigh_;
    pendingHigh_ = 0;
    if (IsLowSurrogate(value)) {
      put_ = PutUtf8(put_, 0x10000 + ((high - 0xD800) << 10) + (value - 0xDC00));
      return;
    }
    put_ = PutUtf8(put_, high);
  }
  if (IsHighSurrogate(value))
    pendingHigh_ = value;
  else
    put_ = PutUtf8(put_, value);
}

bool ScanLines(const std::string& path, LineSink& sink) {
  platform::InputFile file(path, platform::InputFile::Wait::No);
  if (!file.isOpen() || !file.isRegular()) return false;
  TextDecoder decoder(sink);
  // Not cleared: it is read into before it is used.
  const auto buffer = std::make_unique_for_overwrite<char[]>(kChunkSize);
  for (std::size_t count = 0;;) {
    if (!file.read(buffer.get(), kChunkSize, count)) return false;
    if (count == 0) break;
    decoder.feed(std::string_view(buffer.get(), count));
  }
  decoder.finish();
  return true;
}

void ScanText(std::string_view text, LineSink& sink) {
  TextDecoder decoder(sink);
  decoder.feed(text);
  decoder.finish();
}

}  // namespace tarnvik::ini
