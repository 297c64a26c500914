#pragma once
// Paths travel through the program as text, UTF-8 on every system: as the
// operator typed them, as messages show them. The C++ library's paths are the
// system's own: bytes on POSIX systems, UTF-16 on Windows, where a path built
// from narrow text is read in the legacy code page and every character
// outside it is lost (`unit ä.cfg` would name another file). So the program
// builds std::filesystem paths from its text, and text from them, only
// through these two.

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnvik::platform {

// POSIX: the bytes as they are. Windows: UTF-8 read as such (a broken
// sequence becomes U+FFFD).
std::filesystem::path PathOf(std::string_view text);

// The inverse of PathOf.
std::string TextOf(const std::filesystem::path& path);

// Whether that text is UTF-8 (Windows) rather than the file system's bytes
// (POSIX systems): what a window toolkit's names must be converted to and
// from.
bool NameTextIsUtf8();

}  // namespace tarnvik::platform
