#pragma once
// Reading the tool's input files and writing its image files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik::cli {

// Reads at most limit + 1 bytes, so that a longer file shows as too long.
// False, with `error` saying why, when the file cannot be read.
bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error);

// Replaces the file as a whole or not at all; throws FileWriteError.
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace tarnvik::cli
