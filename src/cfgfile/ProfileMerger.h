#pragma once
// The second pass of a profile write: streams the existing file into the
// replacement, line by line, replacing and adding the lines its plan names.
// Every other line goes through byte for byte, with its own line end, and
// the file keeps its encoding (TextEncoder).

#include <cstdint>
#include <string>
#include <string_view>

#include "cfgfile/ProfileMergePlan.h"
#include "cfgfile/TextDecoder.h"
#include "cfgfile/TextEncoder.h"

namespace tarnvik::ini {

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
  void textEncoding(TextEncoding encoding) override { out_.begin(encoding); }
  void lineData(std::string_view piece) override;
  void lineEnd(std::string_view terminator) override;
  void strayByte(char byte) override { stray_.assign(1, byte); }

  const ProfileMergePlan& plan_;
  TextEncoder out_;
  std::string stray_;  // it stays the file's last byte
  // The plan's change of the current line, or nullptr.
  const ProfileMergePlan::Change* change() const;

  std::uint64_t line_ = 0;
  std::size_t next_ = 0;  // the first of the plan's changes not yet made
};

}  // namespace tarnvik::ini
