#include "platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace tarnvik::platform {

namespace {

// Only an absolute path counts: a relative one would put the user's data
// wherever the program happens to be started.
bool Absolute(const char* folder) { return folder != nullptr && folder[0] == '/'; }

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); Absolute(home)) return home;
  const passwd* user = ::getpwuid(::geteuid());
  return user != nullptr && Absolute(user->pw_dir) ? user->pw_dir : "";
}

}  // namespace

std::string UserDataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); Absolute(data)) return data;
  const std::string home = HomeFolder();
  return home.empty() ? home : home + "/.local/share";
}

}  // namespace tarnvik::platform
