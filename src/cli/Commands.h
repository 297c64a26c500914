#pragma once
// The commands of tarnvik-cli. Each runs the same core code as the window
// and returns the tool's exit status. The errors that end an operation in the
// window (a number text that does not convert, a file that cannot be written)
// leave a command as exceptions, for the tool's one guard (CommandGuard.h).

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "settings/PcClock.h"

namespace tarnvik::cli {

enum ExitStatus : int {
  kDone = 0,
  kRefused = 1,    // the configuration was refused: a check, a conversion, identity, checksum, version
  kUsageOrIo = 2,  // wrong arguments, or a file that cannot be read or written
};

// What every command may need besides its files.
struct CommandContext {
  PcClock clock;                       // stands in for the PC clock (--utc)
  std::optional<std::uint16_t> stamp;  // fixed write stamp (--stamp)
  std::ostream& out;                   // results ("OK")
  std::ostream& messages;              // the program's messages, one per line
};

int WriteDefaults(const CommandContext& context, const std::string& output);
int CheckFile(const CommandContext& context, const std::string& input);
int EncodeFile(const CommandContext& context, const std::string& input, const std::string& output);
int DecodeImageFile(const CommandContext& context, const std::string& input, const std::string& output);

}  // namespace tarnvik::cli
