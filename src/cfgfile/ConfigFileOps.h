#pragma once
// Save to file and Read from file: the settings in an INI-style configuration
// file that operators keep and exchange, with no unit attached.
//
// Save writes the 3 identity keys and 219 settings (ConfigFileKeys) into the
// chosen file, keeping any other lines the file holds; it converts every
// number field before it touches the disk and replaces the file as a whole,
// so a failed save leaves the previous file as it was (a writable file in a
// folder that takes no new file is rewritten in place instead, see
// AtomicFile); a file saved as Unicode text keeps its encoding. Read from
// file accepts only files that name this program and hold no value the unit
// cannot store (a file in Unicode may), warns about another version, and
// then applies every key, with a fixed default for each missing one.

#include <string>
#include <string_view>

namespace tarnvik {

class DeviceSettings;
class Operator;

inline constexpr const char* kConfigFileFilter = "Tarnvik config files (*.cfg)|*.cfg";
inline constexpr const char* kDefaultConfigName = "tarnvik.cfg";

// "<executable folder>/config/" with the platform's separator. The program
// never creates this folder; it is only where the dialogs open.
std::string ConfigFolder(const std::string& executableFolder);

// The window's dialogs around these are its own (app/WindowFiles). Save throws ConversionError (a number field that is
// not a whole number; nothing written) or FileWriteError (old file left intact).
void SaveConfigFile(const DeviceSettings& s, const std::string& path);
// The text Save writes to a new file, for checking what a file would give
// back before one is written. Throws ConversionError as Save does.
std::string ConfigFileText(const DeviceSettings& s);
// The text Save makes of a file holding `existing`, whose other lines it
// keeps, without touching the disk. Throws ConversionError as Save does.
std::string ConfigFileText(const DeviceSettings& s, std::string_view existing);
// False when the file is not one of ours (identity message shown, nothing changed).
bool LoadConfigFile(DeviceSettings& s, const std::string& path, Operator& op);
// The same for a file's content already read (standard input or a pipe, for
// the command-line tool).
bool LoadConfigText(DeviceSettings& s, std::string_view content, Operator& op);

}  // namespace tarnvik
