#include "cfgfile/ProfileMerger.h"

namespace tarnvik::ini {

ProfileMerger::ProfileMerger(const ProfileMergePlan& plan, AtomicFile& out)
    : plan_(plan), out_(out), replacement_(plan.replacement(0)) {}

bool ProfileMerger::copy(const std::string& path) { return ScanLines(path, *this); }

void ProfileMerger::lineData(std::string_view piece) {
  if (replacement_ == nullptr) out_.write(piece);
}

// Only the last line can lack a line end; it gets one when anything follows.
void ProfileMerger::lineEnd(std::string_view terminator) {
  const std::string& insertion = plan_.insertionAfter(line_);
  if (replacement_ != nullptr) {
    out_.write(*replacement_);
    out_.write(kLineEnd);
  } else if (!terminator.empty()) {
    out_.write(terminator);
  } else if (!insertion.empty() || !plan_.appendix().empty()) {
    out_.write(kLineEnd);
  }
  out_.write(insertion);
  replacement_ = plan_.replacement(++line_);
}

void ProfileMerger::finish() { out_.write(plan_.appendix()); }

}  // namespace tarnvik::ini
