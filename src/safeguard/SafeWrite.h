#pragma once
// The window's Write config: the settings are checked and encoded, then, on
// one opening of the link and with the unit held for this program alone
// throughout, the unit's configuration is backed up, the 64 pages are
// written, and they are read back and compared.
//
// When the unit found is not the one the window last read or wrote (another
// path or serial number), the operator is asked first, naming it; a No ends
// the write before anything is read or written (kWriteDeclinedLine).
//
// The backup (BackupFolder) is the raw image and, when the image passes its
// checks, its configuration file; "Backup of the unit: FILE" names it. A
// blank unit is written without a backup, and an image that fails its checks
// is kept as its raw bytes alone; a line says so either way. A unit is blank
// only when every page came whole: answers too short to hold a page would
// read as zeros, so they fail the read. When the pages cannot all be read,
// or a backup file cannot be written, nothing is written to the unit:
// "Backup failed: ... Nothing was written to the unit." in the log and in an
// information box.
//
// A write cut off part way (a page error, the unit pulled out) leaves the
// unit with part of the configuration: the progress bar is reset, and the
// log and an error box say so and name the backup to write back
// (PartialWriteMessage).
//
// The read-back ends with "Verify success: 64 pages match." or with the
// verify error lines (WriteVerify.h), in the log and in an information box.

#include <string>

#include "device/DeviceOperations.h"
#include "image/WriteStamp.h"
#include "settings/PcClock.h"

namespace tarnvik {

class BackupFolder;
class ConfigImage;
class DeviceSettings;

struct SafeWriteOutcome {
  bool encoded = false;   // every setting passed its check
  bool found = false;     // the unit was there
  bool declined = false;  // it was not the unit expected, and the operator said No
  bool backedUp = false;  // the backup was made (or the unit was blank): the write went ahead
  bool allPages = false;  // all 64 pages were acknowledged
  bool verified = false;  // and came back as written
  HidInterface unit;      // the unit found
  std::string backup;     // the backup file the log names; empty when none was made
};

inline constexpr const char* kVerifySuccessLine = "Verify success: 64 pages match.";

// `backups` is made when the first backup is saved, and keeps its newest
// BackupFolder::kKeptBackups, the one just made among them. `lastUnit` is
// the unit the window last read or wrote; nullptr when none, and then no
// question is asked. A number text that does not convert throws
// ConversionError before the unit is contacted.
SafeWriteOutcome WriteConfigSafely(const DeviceAccess& access, DeviceSettings& settings, ConfigImage& writeImage,
                                   const PcClock& clock, const BackupFolder& backups, const HidInterface* lastUnit,
                                   const StampSource& stamp = SeededWriteStamp());

}  // namespace tarnvik
