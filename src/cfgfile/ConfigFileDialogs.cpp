// The two buttons' dialogs around Save and Load.

#include <filesystem>

#include "cfgfile/ConfigFileOps.h"
#include "core/Operator.h"

namespace tarnvik {

std::string ConfigFolder(const std::string& executableFolder) {
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  std::string folder = executableFolder;
  if (!folder.empty() && folder.back() != separator && folder.back() != '/') folder += separator;
  return folder + "config" + separator;
}

// The dialogs open in the config folder every time, offering the file chosen
// last (the save dialog offers the default name at first).
bool SaveToFile(const DeviceSettings& s, Operator& op, FileDialogMemory& memory, const std::string& executableFolder) {
  const std::string offered = memory.lastSaved.empty() ? kDefaultConfigName : memory.lastSaved;
  const auto chosen =
      op.chooseFile({FileRequest::Mode::Save, ConfigFolder(executableFolder), offered, kConfigFileFilter});
  if (!chosen) return false;
  memory.lastSaved = *chosen;
  SaveConfigFile(s, *chosen);
  return true;
}

bool ReadFromFile(DeviceSettings& s, Operator& op, FileDialogMemory& memory, const std::string& executableFolder) {
  const auto chosen =
      op.chooseFile({FileRequest::Mode::Open, ConfigFolder(executableFolder), memory.lastOpened, kConfigFileFilter});
  if (!chosen) return false;
  memory.lastOpened = *chosen;
  return LoadConfigFile(s, *chosen, op);
}

}  // namespace tarnvik
