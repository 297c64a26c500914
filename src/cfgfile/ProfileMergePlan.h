#pragma once
// Where a set of key writes lands in an existing profile file, found in one
// pass over it: the writes behave as if made one after the other with the
// classic profile function. A key that stands in its section (the first
// section of that name, the first line of that key) gets its line replaced
// where it stands and keeps its spelling; a missing key goes after the last
// line of its section that is not blank, so blank separator lines stay where
// they are; a missing section is added at the end of the file. Only line
// numbers and the new lines are kept, never the file's own text.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cfgfile/IniLineScanner.h"
#include "cfgfile/IniText.h"
#include "cfgfile/ProfileEntry.h"
#include "cfgfile/ProfileEntryIndex.h"
#include "cfgfile/ProfileSections.h"
#include "cfgfile/TextDecoder.h"

namespace tarnvik::ini {

class ProfileMergePlan : private LineSink {
 public:
  // `index` finds the entries, `sections` holds their sections; all must
  // outlive the plan.
  ProfileMergePlan(const std::vector<ProfileEntry>& entries, const ProfileEntryIndex& index,
                   const ProfileSections& sections);

  // Reads the existing file's layout; false when it cannot be read. Without
  // it the plan is that of a new file.
  bool scan(const std::string& path);
  // The same for a file's content held in memory.
  void scanText(std::string_view text);
  // Turns the layout into the lines to write; call once, after scan.
  void settle();

  // A key line that takes the place of line `line` (counted from 0): the key
  // as the file spells it, and its new value.
  struct Replacement {
    std::string_view key;
    std::string_view value;
  };
  // A line of the file that the merge changes: replaced by a key line, or
  // followed by lines to add (each with its line end), or both.
  struct Change {
    std::uint64_t line = 0;
    std::optional<Replacement> replacement;
    std::string_view insertion;
  };
  // One per changed line, in the order of the lines, so that a copy walks
  // them along; every other line stays as it is.
  const std::vector<Change>& changes() const { return changes_; }
  // The sections to add at the end of the file, with their keys.
  const std::string& appendix() const { return appendix_; }

 private:
  struct SectionPlace {
    bool found = false;
    std::uint64_t lastContent = 0;  // the header or the last line that is not blank
  };
  struct KeyPlace {
    bool found = false;
    std::uint64_t line = 0;
    std::string spelling;  // as the file spells the key, when not as the write does
  };

  void textEncoding(TextEncoding encoding) override { scanner_.setEncoding(encoding); }
  void lineData(std::string_view piece) override { scanner_.feed(piece); }
  void lineEnd(std::string_view terminator) override;
  void enterSection(const IniLine& line);
  void locateKey(const IniLine& line);
  void place(std::size_t entry, std::vector<std::string>& added);

  const std::vector<ProfileEntry>& entries_;
  const ProfileEntryIndex& index_;
  const ProfileSections& sections_;
  std::vector<SectionPlace> places_;  // by section number
  std::vector<KeyPlace> keys_;        // by entry number

  IniLineScanner scanner_;
  std::uint64_t line_ = 0;
  std::size_t current_ = 0;
  bool inSection_ = false;

  Replacement replacementOf(std::size_t entry) const;
  void listChanges();

  std::vector<std::pair<std::uint64_t, std::size_t>> replaced_;  // line and entry, found in line order
  std::map<std::uint64_t, std::string> insertions_;              // by the line they follow
  std::vector<Change> changes_;
  std::string appendix_;
};

}  // namespace tarnvik::ini
