#pragma once
// The window's file operations as the operator runs them: Save to file...
// (always a dialog), File > Save (to the file the title names, without one),
// Read from file (a configuration file or an image of the unit's memory, as
// the backups keep it). Each runs inside an operation of the window, whose
// error box shows an error that escapes it.
//
// Save to file asks before it replaces a file that exists, and every save
// runs away from the window's thread: while another program holds the file
// the save waits for it, and the window keeps painting meanwhile.

#include <functional>
#include <optional>
#include <string>

#include "safeguard/ConfigSource.h"

namespace tarnvik {

class DeviceSettings;
class Operator;

// Read from file and Compare with file take both kinds.
inline constexpr const char* kConfigOrImageFilter = "Tarnvik config files and images (*.cfg *.bin)|*.cfg *.bin";

class WindowFiles {
 public:
  // `askReplace` gets the path of a file that exists; true replaces it.
  WindowFiles(DeviceSettings& settings, Operator& op, std::function<bool(const std::string&)> askReplace,
              std::string executableFolder);

  // Save to file...: the dialog proposes `current` (its folder and name) or,
  // without one, the usual name in the folder of the file last used (the
  // config folder at first). The file saved; nothing when cancelled or not
  // to be replaced. Throws ConversionError or FileWriteError.
  std::optional<std::string> saveAs(const std::string& current);
  // File > Save: to `current` without a dialog; saveAs when it is empty.
  std::optional<std::string> save(const std::string& current);

  // Read from file's dialog, proposing the file last read.
  std::optional<std::string> chooseToRead();
  // Reads the file into the settings: Loaded when they show it now (and
  // whether it was an image). A file that is neither is refused with its
  // box, and nothing changes.
  ConfigSource read(const std::string& path);

 private:
  void write(const std::string& path);
  std::string folderForSave(const std::string& current) const;

  DeviceSettings& settings_;
  Operator& op_;
  std::function<bool(const std::string&)> askReplace_;
  std::string executableFolder_;
  std::string lastUsed_;  // the file last saved or read
  std::string lastRead_;  // the file last chosen to read, read or not
};

}  // namespace tarnvik
