#include "cfgfile/BoundedText.h"

#include <algorithm>

#include "cfgfile/IniText.h"

namespace tarnvik::ini {

namespace {

const char* SkipBlanks(const char* from, const char* to) {
  while (from != to && IsBlank(*from)) ++from;
  return from;
}

// One past the last character of [from, to) that is not a blank, or `from`.
const char* EndOfSolid(const char* from, const char* to) {
  while (to != from && IsBlank(to[-1])) --to;
  return to;
}

}  // namespace

// Works on the run's bounds directly: names and values pass through here at
// every line of every file read, mostly as one run without blanks at its ends.
void BoundedText::push(std::string_view run) {
  const char* from = run.data();
  const char* const to = from + run.size();
  if (!started_) from = SkipBlanks(from, to);
  const char* const solidEnd = EndOfSolid(from, to);
  if (solidEnd == from) return holdBlanks(from, to);
  if (!pendingBlanks_.empty()) {
    append(pendingBlanks_.data(), pendingBlanks_.data() + pendingBlanks_.size());
    if (pendingBlanks_.size() > capacity_) overflowed_ = true;
    pendingBlanks_.clear();
  }
  append(from, solidEnd);
  last_ = solidEnd[-1];
  started_ = true;
  holdBlanks(solidEnd, to);
}

// More held-back blanks than the capacity would overflow anyway once
// something follows them, so no more than one past it are kept.
void BoundedText::holdBlanks(const char* from, const char* to) {
  if (from == to) return;
  const std::size_t room = capacity_ + 1 - pendingBlanks_.size();
  pendingBlanks_.append(from, std::min(room, static_cast<std::size_t>(to - from)));
}

void BoundedText::append(const char* from, const char* to) {
  const std::size_t size = static_cast<std::size_t>(to - from);
  const std::size_t room = capacity_ - text_.size();
  if (size > room) overflowed_ = true;
  text_.append(from, std::min(size, room));
}

void BoundedText::clear() {
  text_.clear();
  pendingBlanks_.clear();
  overflowed_ = false;
  started_ = false;
  last_ = 0;
}

}  // namespace tarnvik::ini
