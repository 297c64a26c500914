#pragma once
// The keys of the configuration file, in file order: the three identity keys
// of section "!WARNING", then one key per setting (every setting but the five
// clock fields), section by section. Save writes them in this order, Read
// from file reads and applies them in this order.

#include <cstddef>
#include <string>
#include <vector>

namespace tarnvik {

enum class FileValueKind {
  Identity,  // fixed text that marks the file as ours; not a setting
  Text,      // the setting's text, unchanged
  Integer,   // a number field: its text as a whole number in plain decimal
  Choice,    // the selected entry's index, -1 for none
  Flag,      // 1 checked, 0 unchecked
};

struct FileKey {
  std::string section;
  std::string key;
  std::string setting;  // empty for the identity keys
  FileValueKind kind = FileValueKind::Text;
  // Read from file: the value taken when the key is missing (or, for the
  // number kinds, not a number). Identity keys: the text Save writes.
  std::string value;
  // The setting's index in SettingsTable() (0 for the identity keys), so that
  // whoever walks the keys reaches each setting without looking its name up.
  std::size_t index = 0;
};

const std::vector<FileKey>& ConfigFileKeys();

// Indexes into SettingsTable() of every setting a file keeps, in the window's
// order: all but the clock fields, which the unit takes from the PC.
const std::vector<std::size_t>& FileKeptSettings();

inline constexpr const char* kIdentitySection = "!WARNING";

}  // namespace tarnvik
