#pragma once
// A configuration named on the command line: a configuration file or a
// 2048-byte configuration image, told apart by content, not by name. An
// image is exactly 2048 bytes long and holds zero bytes (its version mark is
// followed by one, and every byte from 1396 on is zero); a configuration file
// is text, which never holds a zero byte that counts (a value ends at one).
// So an input of 2048 bytes with a zero byte in it is read as an image, and
// anything else as a configuration file. Either may come through a pipe or,
// as "-", from standard input.

#include <string>

namespace tarnvik {
class DeviceSettings;
}

namespace tarnvik::cli {

struct CommandContext;

enum class SourceOutcome {
  Loaded,      // the settings show the input
  Unreadable,  // the input could not be read (message given)
  Refused,     // not a file of this program, a bad checksum or another image version (message given)
};

struct ConfigSource {
  SourceOutcome outcome = SourceOutcome::Unreadable;
  bool image = false;  // the input was an image: Uploadpctime, kept only by files, is not in it
};

// Reads the input into `settings` as Read from file (a file) or as Read
// config after its checksum test (an image) would; the program's messages go
// to context.messages.
ConfigSource LoadConfigSource(const CommandContext& context, const std::string& input, DeviceSettings& settings);

}  // namespace tarnvik::cli
