#pragma once
// Where a Windows link leads, from the reparse data the file system keeps
// for it (what FSCTL_GET_REPARSE_POINT gives). Pure code on bytes, without
// the system's headers, so that it builds and is tested on every system.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarnvik::platform::windows {

// The target of a symbolic link or a junction as the link holds it: the name
// shown to users (the print name), or where that is empty the name the
// system follows without the \??\ it puts in front (\??\UNC\ becomes \\).
// A relative symbolic link gives its relative path. Nothing when the data
// is no such link's, or is cut short.
std::optional<std::u16string> LinkTargetFromReparseData(std::span<const std::uint8_t> data);

}  // namespace tarnvik::platform::windows
