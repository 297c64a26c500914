#pragma once
// Where the window's settings last met a file or the unit: the file last
// saved or read, or the unit last read or written. The title names it, and
// File > Save writes to the file only: after a unit was read or written
// there is no file, so a save never puts a unit's settings over a file
// without asking for a name.
//
// The change mark compares the settings with what they were at that moment,
// so an edit that is undone clears it. The clock fields take no part: no
// file keeps them, and Write config sets the unit's clock from the PC.

#include <string>

#include "device/DeviceOperations.h"

namespace tarnvik {

class DeviceSettings;

struct SyncedSource {
  std::string file;    // the file system's bytes; empty when the settings met no file last
  std::string unit;    // the unit's path (and serial number), when they met a unit last
  bool image = false;  // the file is an image of the unit's memory (a backup), not to be saved over

  // The file File > Save writes to without asking: none after a unit, and
  // never an image, which a configuration file would replace.
  std::string saveTarget() const { return image ? std::string() : file; }

  // What the title shows: the file's name without its folder, "Unit PATH",
  // or nothing (start-up).
  std::string titleName() const;
};

// The unit an operation of `access` works with: the one chosen, otherwise
// the first one listed; path and serial number as the Unit menu shows them.
// Empty when none is attached.
std::string UnitUsed(const DeviceAccess& access);

// Whether the settings differ in anything a configuration file keeps.
bool EditsDiffer(const DeviceSettings& a, const DeviceSettings& b);

}  // namespace tarnvik
