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

void TextEncoder::ownText(std::string_view text) {
  if (encoding_ == TextEncoding::Bytes) return out_(text);
  converted_.clear();
  for (const char c : text) {
    const auto character = static_cast<unsigned char>(c);
    if (IsUtf16(encoding_))
      addUnit(character);
    else
      AppendUtf8(converted_, character);
  }
  out_(converted_);
}

// The text is what TextDecoder made of UTF-16, so every sequence is whole and
// of a character or a lone surrogate; it may only be split over pieces.
void TextEncoder::toUtf16(std::string_view utf8) {
  converted_.clear();
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (missing_ > 0) {
      partial_ = partial_ << 6 | (byte & 0x3F);
      if (--missing_ == 0) addUnit(partial_);
      continue;
    }
    const int followers = FollowersOf(byte);
    if (followers <= 0) {
      addUnit(followers == 0 ? byte : kReplacement);
      continue;
    }
    missing_ = followers;
    partial_ = byte & (0x3F >> followers);
  }
  out_(converted_);
}

// A character beyond the first 65536 takes two units, a surrogate pair.
void TextEncoder::addUnit(std::uint32_t character) {
  if (character >= 0x10000) {
    addUnit(0xD800 + ((character - 0x10000) >> 10));
    return addUnit(0xDC00 + ((character - 0x10000) & 0x3FF));
  }
  const auto low = static_cast<char>(character & 0xFF), high = static_cast<char>(character >> 8);
  converted_ += encoding_ == TextEncoding::Utf16Le ? low : high;
  converted_ += encoding_ == TextEncoding::Utf16Le ? high : low;
}

}  // namespace tarnvik::ini
