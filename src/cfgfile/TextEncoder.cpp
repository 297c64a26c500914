#include "cfgfile/TextEncoder.h"

namespace tarnvik::ini {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

// The bytes that follow a UTF-8 lead byte, and the lead's own bits; -1 for a
// byte that leads nothing.
int FollowersOf(unsigned char lead) {
  return lead < 0x80 ? 0 : lead < 0xC0 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF8 ? 3 : -1;
}

}  // namespace

void TextEncoder::begin(TextEncoding encoding) {
  encoding_ = encoding;
  if (encoding != TextEncoding::Bytes) out_(MarkOf(encoding));
}

void TextEncoder::fileText(std::string_view text) {
  if (IsUtf16(encoding_))
    toUtf16(text);
  else
    out_(text);
}

// Every character of the unit's set takes at most two bytes in either form.
void TextEncoder::ownText(std::string_view text) {
  if (encoding_ == TextEncoding::Bytes) return out_(text);
  char* const from = room(2 * text.size());
  for (const char c : text) {
    const auto character = static_cast<unsigned char>(c);
    if (IsUtf16(encoding_))
      putUnit(character);
    else
      put_ = PutUtf8(put_, character);
  }
  flush(from);
}

// The text is what TextDecoder made of UTF-16, so every sequence is whole and
// of a character or a lone surrogate; it may only be split over pieces. No
// byte gives more than two bytes of UTF-16.
void TextEncoder::toUtf16(std::string_view utf8) {
  char* const from = room(2 * utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (missing_ > 0) {
      partial_ = partial_ << 6 | (byte & 0x3F);
      if (--missing_ == 0) putUnit(partial_);
      continue;
    }
    const int followers = FollowersOf(byte);
    if (followers <= 0) {
      putUnit(followers == 0 ? byte : kReplacement);
      continue;
    }
    missing_ = followers;
    partial_ = byte & (0x3F >> followers);
  }
  flush(from);
}

// A character beyond the first 65536 takes two units, a surrogate pair.
void TextEncoder::putUnit(std::uint32_t character) {
  if (character >= 0x10000) {
    putUnit(0xD800 + ((character - 0x10000) >> 10));
    return putUnit(0xDC00 + ((character - 0x10000) & 0x3FF));
  }
  const auto low = static_cast<char>(character & 0xFF), high = static_cast<char>(character >> 8);
  *put_++ = encoding_ == TextEncoding::Utf16Le ? low : high;
  *put_++ = encoding_ == TextEncoding::Utf16Le ? high : low;
}

char* TextEncoder::room(std::size_t most) {
  if (converted_.size() < most) converted_.resize(most);
  put_ = converted_.data();
  return put_;
}

}  // namespace tarnvik::ini
