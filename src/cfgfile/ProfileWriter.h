#pragma once
// Writes keys to a profile (INI) file with the effect of the classic profile
// function called once per key, in order: a key's line is replaced where it
// stands, a missing key is added at the end of its section, a missing section
// at the end of the file, and every other line stays as it was. Lines written
// end in CR LF; texts are written byte for byte without conversion.
//
// Unlike the classic function, the writes are collected and applied in one
// go: the old file is read twice (layout, then copy) without being held in
// memory, and replaced as a whole through AtomicFile, so a failed write never
// leaves a half-written or lost file (AtomicFile says when it has to rewrite
// a file in place). Nothing is created while nothing is written.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/ProfileEntry.h"
#include "cfgfile/ProfileEntryIndex.h"
#include "cfgfile/ProfileSections.h"

namespace tarnvik::ini {

class ProfileWriter {
 public:
  // Queues one key. A second write of the same key only changes the value.
  // A line break inside a value could only end the line early and turn the
  // rest into lines of their own, so each CR or LF is written as a blank; a
  // value ends at its first NUL byte for every reader, so nothing after one
  // is written.
  // Names must be ones the reader can find again (std::logic_error if not).
  void write(std::string_view section, std::string_view key, std::string_view value);
  // Replaces the value of entry number `entry` of entries(), as a second
  // write of its key would: for a caller that writes the same keys each time
  // and so copies or keeps a writer that holds them rather than naming them
  // anew. The old value's room is reused.
  void setValue(std::size_t entry, std::string_view value);

  const std::vector<ProfileEntry>& entries() const { return entries_; }

  // Applies the queued keys to the file at `path`; throws FileWriteError.
  void commit(const std::string& path) const;

  // What commit writes to a path where no file is yet, as text.
  std::string newFileText() const;
  // What commit makes of a file holding `existing`, as text.
  std::string mergedText(std::string_view existing) const;

 private:
  std::vector<ProfileEntry> entries_;
  ProfileEntryIndex index_;
  ProfileSections sections_;
};

}  // namespace tarnvik::ini
