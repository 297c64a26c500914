#include "cfgfile/ProfileMerger.h"

#include <utility>

namespace tarnvik::ini {

ProfileMerger::ProfileMerger(const ProfileMergePlan& plan, TextOut out)
    : plan_(plan), out_(std::move(out)), nextChange_(plan.nextChange(0)), replacement_(plan.replacement(0)) {}

bool ProfileMerger::copy(const std::string& path) { return ScanLines(path, *this); }

void ProfileMerger::copyText(std::string_view text) { ScanText(text, *this); }

void ProfileMerger::lineData(std::string_view piece) {
  if (!replacement_) out_(piece);
}

// Only the last line can lack a line end; it gets one when anything follows.
void ProfileMerger::lineEnd(std::string_view terminator) {
  if (line_ != nextChange_) {
    if (!terminator.empty())
      out_(terminator);
    else if (!plan_.appendix().empty())
      out_(kLineEnd);
    if (++line_ == nextChange_) replacement_ = plan_.replacement(line_);
    return;
  }
  const std::string& insertion = plan_.insertionAfter(line_);
  if (replacement_) {
    out_(replacement_->key);
    out_("=");
    out_(replacement_->value);
    out_(kLineEnd);
  } else if (!terminator.empty()) {
    out_(terminator);
  } else if (!insertion.empty() || !plan_.appendix().empty()) {
    out_(kLineEnd);
  }
  out_(insertion);
  nextChange_ = plan_.nextChange(++line_);
  replacement_ = line_ == nextChange_ ? plan_.replacement(line_) : std::nullopt;
}

void ProfileMerger::finish() { out_(plan_.appendix()); }

}  // namespace tarnvik::ini
