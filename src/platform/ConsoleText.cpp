#include "platform/ConsoleText.h"

#include "platform/Utf16Text.h"

namespace tarnvik::platform {

namespace {

// The lead bytes of UTF-8 sequences longer than one byte: the bits that mark
// them, how many continuation bytes follow, the smallest code point that
// length may carry (anything smaller is an overlong form) and the largest.
struct Utf8Lead {
  unsigned char mask;
  unsigned char marker;
  std::size_t continuation;
  char32_t lowest;
  char32_t highest;
};
constexpr Utf8Lead kUtf8Leads[] = {
    {0xE0, 0xC0, 1, 0x80, 0x7FF}, {0xF0, 0xE0, 2, 0x800, 0xFFFF}, {0xF8, 0xF0, 3, 0x10000, 0x10FFFF}};

const Utf8Lead* LeadOf(unsigned char byte) {
  for (const Utf8Lead& lead : kUtf8Leads)
    if ((byte & lead.mask) == lead.marker) return &lead;
  return nullptr;
}

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The character of the valid UTF-8 sequence at the start of `bytes` and its
// length; a length of 0 when there is none there.
std::size_t Utf8At(std::string_view bytes, char32_t& code) {
  const auto first = static_cast<unsigned char>(bytes[0]);
  const Utf8Lead* lead = LeadOf(first);
  if (lead == nullptr || bytes.size() <= lead->continuation) return 0;
  code = first & static_cast<unsigned char>(~lead->mask);
  for (std::size_t k = 1; k <= lead->continuation; ++k) {
    if (!IsContinuation(bytes[k])) return 0;
    code = (code << 6) | (static_cast<unsigned char>(bytes[k]) & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < lead->lowest || code > lead->highest || surrogate ? 0 : lead->continuation + 1;
}

}  // namespace

std::u16string ConsoleText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  while (!bytes.empty()) {
    char32_t code = static_cast<unsigned char>(bytes[0]);
    char32_t decoded = 0;
    const std::size_t length = code < 0x80 ? 1 : Utf8At(bytes, decoded);
    AppendUtf16(text, length > 1 ? decoded : code);
    bytes.remove_prefix(length == 0 ? 1 : length);
  }
  return text;
}

std::size_t CompleteLength(std::string_view bytes) {
  // A sequence is at most four bytes: its lead is among the last three.
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const char byte = bytes[bytes.size() - back];
    if (IsContinuation(byte)) continue;
    const Utf8Lead* lead = LeadOf(static_cast<unsigned char>(byte));
    return lead != nullptr && lead->continuation >= back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

}  // namespace tarnvik::platform
