#include <sys/stat.h>

#include "platform/FileSystem.h"
#include "platform/posix/PosixFiles.h"

namespace tarnvik::platform {

std::string MakePrivate(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return SystemError();
  if ((info.st_mode & (S_IRWXG | S_IRWXO)) == 0) return {};
  return ::chmod(path.c_str(), S_IRWXU) == 0 ? std::string() : SystemError();
}

}  // namespace tarnvik::platform
