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
  if (current == nullptr || !current->replacement) out_(piece);
}

// Only the last line can lack a line end; it gets one when anything follows.
void ProfileMerger::lineEnd(std::string_view terminator) {
  const ProfileMergePlan::Change* current = change();
  const std::string_view insertion = current != nullptr ? current->insertion : std::string_view();
  if (current != nullptr && current->replacement) {
    out_(current->replacement->key);
    out_("=");
    out_(current->replacement->value);
    out_(kLineEnd);
  } else if (!terminator.empty()) {
    out_(terminator);
  } else if (!insertion.empty() || !plan_.appendix().empty()) {
    out_(kLineEnd);
  }
  if (!insertion.empty()) out_(insertion);
  if (current != nullptr) ++next_;
  ++line_;
}

void ProfileMerger::finish() { out_(plan_.appendix()); }

}  // namespace tarnvik::ini
