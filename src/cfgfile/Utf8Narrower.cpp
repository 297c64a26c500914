#include "cfgfile/Utf8Narrower.h"

namespace tarnvik::ini {

namespace {

// The bytes that may start a sequence of more than one byte: how many follow,
// and the least value a sequence of that length may carry (less is an
// overlong form). 0xC0, 0xC1 and 0xF5 on can only start overlong forms or
// values beyond Unicode.
struct Lead {
  unsigned char first, last;
  int followers;
  std::uint32_t least;
};
constexpr Lead kLeads[] = {{0xC2, 0xDF, 1, 0x80}, {0xE0, 0xEF, 2, 0x800}, {0xF0, 0xF4, 3, 0x10000}};

constexpr std::uint32_t kLastStorable = 0xFF;

}  // namespace

// Runs of ASCII, most of any file, go on as they are.
void Utf8Narrower::feed(std::string_view piece) {
  const char* at = piece.data();
  const char* const end = at + piece.size();
  while (at != end) {
    if (missing_ > 0) {
      follow(static_cast<unsigned char>(*at++));
      continue;
    }
    const char* const run = at;
    while (at != end && static_cast<unsigned char>(*at) < 0x80) ++at;
    if (at != run) sink_.narrowed({run, static_cast<std::size_t>(at - run)});
    if (at != end) lead(static_cast<unsigned char>(*at++));
  }
}

void Utf8Narrower::finish() {
  if (missing_ == 0) return;
  missing_ = 0;
  sink_.unstorable();
}

void Utf8Narrower::lead(unsigned char byte) {
  if (byte < 0x80) {
    narrowed_ = static_cast<char>(byte);
    return sink_.narrowed({&narrowed_, 1});
  }
  for (const Lead& lead : kLeads) {
    if (byte < lead.first || byte > lead.last) continue;
    missing_ = lead.followers;
    least_ = lead.least;
    partial_ = byte & (0x3Fu >> lead.followers);
    return;
  }
  sink_.unstorable();
}

// A byte that does not continue the sequence cuts it short and starts anew.
void Utf8Narrower::follow(unsigned char byte) {
  if ((byte & 0xC0) != 0x80) {
    missing_ = 0;
    sink_.unstorable();
    return lead(byte);
  }
  partial_ = partial_ << 6 | (byte & 0x3F);
  if (--missing_ > 0) return;
  if (partial_ < least_ || partial_ > kLastStorable) return sink_.unstorable();
  narrowed_ = static_cast<char>(partial_);
  sink_.narrowed({&narrowed_, 1});
}

}  // namespace tarnvik::ini
