#pragma once
// The window's Write config: the settings are checked and encoded, then, on
// one opening of the link and with the unit held for this program alone
// throughout, the unit's configuration is backed up, the 64 pages are
// written, and they are read back and compared.
//
// The backup (BackupFolder) is the raw image and, when the image passes its
// checks, its configuration file; "Backup of the unit: FILE" names it. A
// blank unit is written without a backup, and an image that fails its checks
// is kept as its raw bytes alone; a line says so either way. When the pages
// cannot all be read, or a backup file cannot be written, nothing is written
// to the unit: "Backup failed: ... Nothing was written to the unit." in the
// log and in an information box.
//
// The read-back ends with "Verify success: 64 pages match." or with the
// verify error lines (WriteVerify.h), in the log and in an information box.

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
  bool backedUp = false;  // the backup was made (or the unit was blank): the write went ahead
  bool allPages = false;  // all 64 pages were acknowledged
  bool verified = false;  // and came back as written
};

inline constexpr const char* kVerifySuccessLine = "Verify success: 64 pages match.";

// `backups` is made when the first backup is saved, and keeps its newest
// BackupFolder::kKeptBackups. A number text that does not convert throws
// ConversionError before the unit is contacted.
SafeWriteOutcome WriteConfigSafely(const DeviceAccess& access, DeviceSettings& settings, ConfigImage& writeImage,
                                   const PcClock& clock, const BackupFolder& backups,
                                   const StampSource& stamp = SeededWriteStamp());

}  // namespace tarnvik
