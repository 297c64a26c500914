#pragma once
// Writing the tool's output files: the whole content goes to a temporary file
// beside the target, which then replaces the target in one rename, so a
// failed run never leaves a half-written or missing file behind.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarnvik::cli {

// A file in the same folder as `target` that does not exist yet.
std::string TemporaryPathBeside(const std::string& target);

// Lets `write` fill a fresh temporary file (given its path; it throws
// OperationError on failure), then renames it over `target`. Returns false
// with `error` set when anything fails; the temporary file is removed and the
// target left as it was.
bool ReplaceFile(const std::string& target, const std::function<void(const std::string&)>& write,
                 std::string& error);

// Writes a new file (it must not exist yet); throws FileWriteError on failure.
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Reads at most limit + 1 bytes, so that a longer file shows as too long.
bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error);

}  // namespace tarnvik::cli
