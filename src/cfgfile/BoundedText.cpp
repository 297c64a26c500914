#include "cfgfile/BoundedText.h"

#include <algorithm>

#include "cfgfile/IniText.h"

namespace tarnvik::ini {

namespace {

constexpr std::string_view kBlanks = " \t";

}  // namespace

void BoundedText::push(std::string_view run) {
  if (!started_) run.remove_prefix(std::min(run.size(), run.find_first_not_of(kBlanks)));
  if (run.empty()) return;
  const std::size_t lastSolid = run.find_last_not_of(kBlanks);
  if (lastSolid == std::string_view::npos) return holdBlanks(run);
  append(pendingBlanks_);
  if (pendingBlanks_.size() > capacity_) overflowed_ = true;
  pendingBlanks_.clear();
  append(run.substr(0, lastSolid + 1));
  last_ = run[lastSolid];
  started_ = true;
  holdBlanks(run.substr(lastSolid + 1));
}

// More held-back blanks than the capacity would overflow anyway once
// something follows them, so no more than one past it are kept.
void BoundedText::holdBlanks(std::string_view blanks) {
  const std::size_t room = capacity_ + 1 - pendingBlanks_.size();
  pendingBlanks_.append(blanks.substr(0, room));
}

void BoundedText::append(std::string_view run) {
  const std::size_t room = capacity_ - text_.size();
  text_.append(run.substr(0, room));
  if (run.size() > room) overflowed_ = true;
}

void BoundedText::clear() {
  text_.clear();
  pendingBlanks_.clear();
  overflowed_ = false;
  started_ = false;
  last_ = 0;
}

}  // namespace tarnvik::ini
