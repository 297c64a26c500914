#pragma once
// Reads keys of a profile (INI) file as the classic profile functions do:
// section and key names match without regard to case, the first of two equal
// sections or keys counts, a missing or unreadable file reads as a file
// without keys. A file with a byte-order mark is Unicode text (TextEncoding)
// whose values are narrowed into the unit's 8-bit set; a value holding a
// character that the set lacks is noted (unstorableAt).
//
// The file is read once, when the reader is made, and only the values of the
// keys asked for are kept, each at most kMaxValueLength characters; no line
// and no file is ever held whole, so a file of any size and content costs a
// fixed amount of memory.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/IniLineScanner.h"
#include "cfgfile/ProfileKeys.h"
#include "cfgfile/TextDecoder.h"

namespace tarnvik::ini {

// A profile file's content already read into memory (one that came through
// a pipe, which cannot be read twice or opened by name again).
struct ProfileText {
  std::string_view content;
};

class ProfileReader : private LineSink {
 public:
  // `wanted` must outlive the reader.
  ProfileReader(const std::string& path, const ProfileKeys& wanted);
  ProfileReader(ProfileText text, const ProfileKeys& wanted);
  // The same with the keys made for this reader alone.
  ProfileReader(const std::string& path, const std::vector<KeyName>& wanted);
  ProfileReader(ProfileText text, const std::vector<KeyName>& wanted);

  // The key's value, or nothing when the file lacks the key. Asking for a key
  // that was not wanted is a programming error (std::logic_error).
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

  // The value of wanted key number `key` as ProfileKeys numbers it, found
  // without comparing a name: for readers that ask for the same keys in every
  // file (std::out_of_range for a number that is not a wanted key's).
  const std::optional<std::string>& valueAt(std::size_t key) const { return values_.at(key); }
  // True when that value, in a Unicode file, holds a character that the
  // unit's set lacks (or bytes that are no UTF-8); each stands as "?" in it.
  bool unstorableAt(std::size_t key) const { return unstorable_.at(key); }

  std::string readText(std::string_view section, std::string_view key, std::string_view fallback) const;
  // The fallback also stands for a value that is not a 32-bit integer.
  std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
  // Any integer other than 0 is true.
  bool readFlag(std::string_view section, std::string_view key, bool fallback) const;

 private:
  explicit ProfileReader(const ProfileKeys& wanted);
  explicit ProfileReader(std::unique_ptr<const ProfileKeys> owned);

  void textEncoding(TextEncoding encoding) override { scanner_.setEncoding(encoding); }
  void lineData(std::string_view piece) override { scanner_.feed(piece); }
  void lineEnd(std::string_view terminator) override;
  void enterSection(const IniLine& line);
  void takeKey(const IniLine& line);
  void forgetValues();

  std::unique_ptr<const ProfileKeys> owned_;
  const ProfileKeys& keys_;
  std::vector<bool> seen_;                          // by section number
  std::vector<std::optional<std::string>> values_;  // by key number
  std::vector<bool> unstorable_;                    // by key number
  std::size_t current_ = ProfileKeys::kNone;
  IniLineScanner scanner_;
};

}  // namespace tarnvik::ini
