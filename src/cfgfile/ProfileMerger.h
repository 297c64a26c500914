#pragma once
// The second pass of a profile write: streams the existing file into the
// replacement, line by line, replacing and adding the lines its plan names.
// Every other line goes through byte for byte, with its own line end.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cfgfile/LineSplitter.h"
#include "cfgfile/ProfileMergePlan.h"

namespace tarnvik::ini {

// Where the merged file goes, piece by piece: a replacement file, or a text.
using TextOut = std::function<void(std::string_view bytes)>;

class ProfileMerger : private LineSink {
 public:
  ProfileMerger(const ProfileMergePlan& plan, TextOut out);

  // Copies the existing file with the plan's changes; false when it cannot be read.
  bool copy(const std::string& path);
  // The same for a file's content held in memory.
  void copyText(std::string_view text);
  // Adds the new sections at the end.
  void finish();

 private:
  void lineData(std::string_view piece) override;
  void lineEnd(std::string_view terminator) override;

  const ProfileMergePlan& plan_;
  TextOut out_;
  // The plan's change of the current line, or nullptr.
  const ProfileMergePlan::Change* change() const;

  std::uint64_t line_ = 0;
  std::size_t next_ = 0;  // the first of the plan's changes not yet made
};

}  // namespace tarnvik::ini
