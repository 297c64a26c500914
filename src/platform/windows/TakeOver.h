#pragma once
// What a file that replaces another takes over from it on Windows, beyond
// the attributes a user sets (StagedFile::keep): its creation time, its
// permissions (the DACL, kept apart from its folder's or inheriting from it,
// as it was) and, where the system lets this user set them, its owner and
// group. Without this the replacement would have its folder's permissions
// and the time it was written as its creation time, as any new file has.
// Best effort: the content matters more, and a file system that keeps none
// of this (FAT, a network share) leaves the replacement as it is.

#include <string>

#include "platform/windows/WinFiles.h"

namespace tarnvik::platform::windows {

// `old` and `replacement` are paths as WidePath gives them.
void TakeOver(const std::wstring& old, const std::wstring& replacement);

}  // namespace tarnvik::platform::windows
