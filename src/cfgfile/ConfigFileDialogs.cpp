// Where the file dialogs open.

#include <filesystem>

#include "cfgfile/ConfigFileOps.h"

namespace tarnvik {

std::string ConfigFolder(const std::string& executableFolder) {
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  std::string folder = executableFolder;
  if (!folder.empty() && folder.back() != separator && folder.back() != '/') folder += separator;
  return folder + "config" + separator;
}

}  // namespace tarnvik
