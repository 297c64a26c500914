#pragma once
// The commands of tarnvik-cli. Each runs the same core code as the window
// and returns the tool's exit status. The errors that end an operation in the
// window (a number text that does not convert, a file that cannot be written)
// leave a command as exceptions, for the tool's one guard (CommandGuard.h).

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "settings/PcClock.h"

namespace tarnvik {
class DeviceSettings;
}

namespace tarnvik::cli {

enum ExitStatus : int {
  kDone = 0,
  kRefused = 1,    // the configuration (or an input read) was refused: a check, a conversion, identity, checksum,
                   // version, size
  kUsageOrIo = 2,  // wrong arguments, or a file that cannot be read or written
};

// What every command may need besides its files.
struct CommandContext {
  PcClock clock;                       // stands in for the PC clock (--utc)
  std::optional<std::uint16_t> stamp;  // fixed write stamp (--stamp)
  std::ostream& out;                   // results ("OK")
  std::ostream& messages;              // the program's messages, one per line
};

// Each OUTPUT may be "-": the file's bytes go to standard output.
int WriteDefaults(const CommandContext& context, const std::string& output);
int CheckFile(const CommandContext& context, const std::string& input);
int EncodeFile(const CommandContext& context, const std::string& input, const std::string& output);
int DecodeImageFile(const CommandContext& context, const std::string& input, const std::string& output);

// diff A B: A and B each a configuration file or an image (ConfigSource.h).
// One line per setting that the unit would hold differently, in the window's
// order, "Setting: value-in-A -> value-in-B" (SettingValues.h), compared as
// StoredSettings says. Uploadpctime, which images do not hold, is compared
// only between two files. 0 equal, 1 different, 2 an input that cannot be
// read or is refused.
int DiffConfigs(const CommandContext& context, const std::string& a, const std::string& b);

// get FILE NAME...: one line per name, in the order given, as PlainValue
// gives it. Nothing is printed unless every name is known.
int GetSettings(const CommandContext& context, const std::string& input, const std::vector<std::string>& names,
                bool entryText);

// Saves the settings to `output` as Save to file does, or for "-" writes the
// file's text to context.out.
int SaveSettings(const CommandContext& context, const DeviceSettings& settings, const std::string& output);

// set FILE NAME=VALUE... -o OUT: the file with the settings named changed,
// one after the other as an operator would change them (TakeValue), checked
// as Write config checks, and checked to come back unchanged from the file;
// OUT is written, as Save to file writes, only when every step passed.
int SetSettings(const CommandContext& context, const std::string& input, const std::vector<std::string>& assignments,
                const std::string& output);

}  // namespace tarnvik::cli
