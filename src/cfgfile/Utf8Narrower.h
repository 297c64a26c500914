#pragma once
// Narrows the UTF-8 text of a line into the unit's 8-bit set (ISO 8859-1,
// whose 256 characters are the first 256 of Unicode) as it streams past, in
// pieces of any size. A character beyond that set, and bytes that are no
// UTF-8 (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate), cannot be stored by the unit: each is reported where it stands.

#include <cstdint>
#include <string_view>

namespace tarnvik::ini {

class Utf8Narrower {
 public:
  class Sink {
   public:
    virtual ~Sink() = default;
    // The next characters, of the unit's set.
    virtual void narrowed(std::string_view text) = 0;
    // A character the unit cannot store stands here.
    virtual void unstorable() = 0;
  };

  explicit Utf8Narrower(Sink& sink) : sink_(sink) {}

  void feed(std::string_view piece);
  // The line ends: a sequence still open there is cut short.
  void finish();

 private:
  void lead(unsigned char byte);
  void follow(unsigned char byte);

  Sink& sink_;
  char narrowed_ = 0;          // the one character a sequence made
  std::uint32_t partial_ = 0;  // the open sequence's value so far
  std::uint32_t least_ = 0;    // the least value its length may carry
  int missing_ = 0;            // its bytes still to come
};

}  // namespace tarnvik::ini
