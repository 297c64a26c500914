#pragma once
// Reading the tool's input files and writing its output files. An input may
// be a file, a pipe (including process substitution and /dev/stdin) or "-"
// for standard input, as for any Unix tool; opening a pipe that nobody
// writes waits for a writer, as it does for cat.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik {
class DeviceSettings;
class Operator;
}  // namespace tarnvik

namespace tarnvik::cli {

// The name that stands for standard input, and for standard output where a
// command may write its output there.
inline constexpr std::string_view kStandardInput = "-";
inline constexpr std::string_view kStandardOutput = "-";

// The input as messages name it: "standard input" for "-".
std::string ShownName(const std::string& path);

// Reads at most limit + 1 bytes, so that a longer input shows as too long.
// False, with `error` saying why, when the input cannot be read.
bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error);

// A configuration file that came from a stream is held whole, so it may be
// at most this long; a regular file is read as it streams, at any size.
inline constexpr std::size_t kMaxStreamedConfigSize = 16 * 1024 * 1024;

// A configuration file named on the command line: a regular file is left to
// the reader, by name; standard input, a pipe or any other stream is read
// here, whole, since it can be read only once.
struct ConfigInput {
  std::string path;
  std::optional<std::string> content;  // set for a stream
};

// False, with `error` saying why, when the input cannot be read or a stream
// is longer than kMaxStreamedConfigSize.
bool OpenConfigInput(const std::string& path, ConfigInput& input, std::string& error);

// Read from file on that input: false when it is not a file of this program.
bool LoadConfigInput(DeviceSettings& settings, const ConfigInput& input, Operator& op);

// Replaces the file as a whole or not at all, as AtomicFile does; throws
// FileWriteError.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The same, or for "-" the bytes on `out` (standard output).
void WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out);

// The raw image saved beside a backup: the same name with .bin for .cfg,
// otherwise the whole name with .bin added.
std::string BackupImageName(const std::string& backup);

}  // namespace tarnvik::cli
