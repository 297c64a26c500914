#pragma once
// The text of a name or a value, collected while its line streams past. Only
// the first `capacity` characters are kept, so a line of any length costs a
// fixed amount of memory. Blanks at the start are dropped; blanks at the end
// are held back until something other than a blank follows them, so the text
// is always trimmed at both ends.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvik::ini {

class BoundedText {
 public:
  explicit BoundedText(std::size_t capacity) : capacity_(capacity) {}

  // The next characters of the text, any number at a time.
  void push(std::string_view run);
  void clear();

  // The trimmed text so far, at most `capacity` characters.
  const std::string& text() const { return text_; }
  // True when the trimmed text is longer than what was kept.
  bool overflowed() const { return overflowed_; }
  // The last character other than a blank; only meaningful when the text is
  // not empty.
  char last() const { return last_; }

 private:
  void append(const char* from, const char* to);
  void holdBlanks(const char* from, const char* to);

  std::size_t capacity_;
  std::string text_;
  std::string pendingBlanks_;
  bool overflowed_ = false;
  bool started_ = false;  // something other than a blank came
  char last_ = 0;
};

}  // namespace tarnvik::ini
