#pragma once
// Where a program keeps what it makes for the user who runs it and that is
// worth keeping (backups): the user's data folder, which the desktop's backup
// tools save and the system does not clean up.

#include <string>

namespace tarnvik::platform {

// $XDG_DATA_HOME, else .local/share in the home folder, on Linux and other
// POSIX systems; %LOCALAPPDATA% on Windows. An absolute path, without a
// trailing separator, as the file system's bytes (UTF-8 on Windows); empty
// when the user has none.
std::string UserDataFolder();

}  // namespace tarnvik::platform
