#include "cfgfile/ProfileMerger.h"

#include <utility>

namespace tarnvik::ini {

ProfileMerger::ProfileMerger(const ProfileMergePlan& plan, TextOut out) : plan_(plan), out_(std::move(out)) {}

bool ProfileMerger::copy(const std::string& path) { return ScanLines(path, *this); }

void ProfileMerger::copyText(std::string_view text) { ScanText(text, *this); }

const ProfileMergePlan::Change* ProfileMerger::change() const {
  const auto& changes = plan_.changes();
  return next_ < changes.size() && changes[next_].line == line_ ? &changes[next_] : nullptr;
}

void ProfileMerger::lineData(std::string_view piece) {
  const ProfileMergePlan::Change* current = change();
  if (current == nullptr || !current->replacement) out_.fileText(piece);
}

// Only the last line can lack a line end; it gets one when anything follows.
void ProfileMerger::lineEnd(std::string_view terminator) {
  const ProfileMergePlan::Change* current = change();
  const std::string_view insertion = current != nullptr ? current->insertion : std::string_view();
  if (current != nullptr && current->replacement) {
    out_.ownText(current->replacement->key);
    out_.ownText("=");
    out_.ownText(current->replacement->value);
    out_.ownText(kLineEnd);
  } else if (!terminator.empty()) {
    out_.fileText(terminator);
  } else if (!insertion.empty() || !plan_.appendix().empty()) {
    out_.ownText(kLineEnd);
  }
  if (!insertion.empty()) out_.ownText(insertion);
  if (current != nullptr) ++next_;
  ++line_;
}

void ProfileMerger::finish() {
  out_.ownText(plan_.appendix());
  if (!stray_.empty()) out_.raw(stray_);
}

}  // namespace tarnvik::ini
