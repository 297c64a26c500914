#pragma once
// A configuration named on the command line: a configuration file or a
// 2048-byte configuration image, told apart by content as the window tells
// them apart (safeguard/ConfigSource.h). Either may come through a pipe or,
// as "-", from standard input.

#include <string>

#include "safeguard/ConfigSource.h"

namespace tarnvik {
class DeviceSettings;
}

namespace tarnvik::cli {

struct CommandContext;

// Reads the input into `settings` as Read from file (a file) or as Read
// config after its checksum test (an image) would; the program's messages go
// to context.messages.
ConfigSource LoadConfigSource(const CommandContext& context, const std::string& input, DeviceSettings& settings);

}  // namespace tarnvik::cli
