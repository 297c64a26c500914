#include "cfgfile/BoundedText.h"

#include "cfgfile/IniText.h"

namespace tarnvik::ini {

void BoundedText::push(char c) {
  if (IsBlank(c)) {
    // More held-back blanks than the capacity would overflow anyway once
    // something follows them, so they need not be kept.
    if (started_ && pendingBlanks_.size() <= capacity_) pendingBlanks_ += c;
    return;
  }
  for (char blank : pendingBlanks_) append(blank);
  if (pendingBlanks_.size() > capacity_) overflowed_ = true;
  pendingBlanks_.clear();
  append(c);
  last_ = c;
  started_ = true;
}

void BoundedText::append(char c) {
  if (text_.size() < capacity_)
    text_ += c;
  else
    overflowed_ = true;
}

void BoundedText::clear() {
  text_.clear();
  pendingBlanks_.clear();
  overflowed_ = false;
  started_ = false;
  last_ = 0;
}

}  // namespace tarnvik::ini
