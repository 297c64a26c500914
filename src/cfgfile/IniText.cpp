#include "cfgfile/IniText.h"

#include <cstdint>
#include <cstring>

namespace tarnvik::ini {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

// Names mostly come spelled alike: that is one comparison of the whole.
bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

// The eight bytes of `word` with the ASCII capitals made small, all at once:
// a byte gets 0x20 added where it is below 0x80, at least 'A' and at most 'Z'.
std::uint64_t LowerWord(std::uint64_t word) {
  const std::uint64_t low7 = word & (0x7F * kEveryByte);
  const std::uint64_t atLeastA = low7 + (0x80 - 'A') * kEveryByte;
  const std::uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kEveryByte;
  const std::uint64_t capital = atLeastA & ~aboveZ & ~word & (0x80 * kEveryByte);
  return word | (capital >> 2);
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
  return (((hash << 5) | (hash >> 59)) ^ word) * 0x9e3779b97f4a7c15ull;
}

}  // namespace

// Eight lower-case bytes at a time: names are hashed at every key line read,
// and a byte at a time costs several times more. The length goes in with the
// last, zero-padded, word, and the high half is folded onto the low one,
// which picks the slot.
std::size_t NoCaseHash::operator()(std::string_view text) const {
  std::uint64_t hash = 0;
  const char* at = text.data();
  std::size_t left = text.size();
  for (std::uint64_t word = 0; left >= 8; at += 8, left -= 8) {
    std::memcpy(&word, at, 8);
    hash = Mix(hash, LowerWord(word));
  }
  std::uint64_t last = 0;
  if (left > 0) std::memcpy(&last, at, left);
  hash = Mix(Mix(hash, LowerWord(last)), text.size());
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tarnvik::ini
