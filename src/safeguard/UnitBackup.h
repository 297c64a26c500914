#pragma once
// A backup of what the unit holds, made before a write replaces it, so that
// the write can be undone: the raw 2048 bytes as read, and, when the image
// passes its checksum and version checks, the configuration file that Read
// config and Save to file would have made of it. The window and the tool
// make their backups here; they differ only in where the files go and in
// which outcomes let the write go ahead.

#include <optional>
#include <string>

#include "core/OperationError.h"
#include "settings/PcClock.h"

namespace tarnvik {

class ConfigImage;
class Operator;

struct BackupFiles {
  std::string image;   // the raw bytes
  std::string config;  // the configuration file
};

enum class BackupOutcome {
  Saved,              // both files
  EarlierConfigKept,  // nothing saved: an earlier configuration file there could not be removed
  ImageNotSaved,      // nothing saved: the image file could not be written
  Damaged,            // the image is kept; it fails its checksum, so no configuration file
  OtherVersion,       // the image is kept; it is of another version, so no configuration file
  NumberNotKept,      // the image is kept; a number it holds cannot go into a configuration file
  ConfigNotSaved,     // the image is kept; the configuration file could not be written
};

struct BackupResult {
  BackupOutcome outcome = BackupOutcome::ImageNotSaved;
  std::optional<FileWriteError> writeError;  // EarlierConfigKept, ImageNotSaved, ConfigNotSaved
  std::string conversionError;               // NumberNotKept: the conversion's message

  bool imageKept() const {
    return outcome != BackupOutcome::ImageNotSaved && outcome != BackupOutcome::EarlierConfigKept;
  }
};

// Saves `image` (read from the unit) to files.image, then checks it and saves
// its settings to files.config. Decoding speaks through `op` (the version
// message of an image of another version). Files are replaced as a whole or
// not at all (AtomicFile). The two files never come from different runs: an
// earlier configuration file is removed before the image is written, so that
// a run that stops between the two, or keeps the image alone, leaves no
// earlier configuration file beside its image.
BackupResult SaveUnitBackup(const ConfigImage& image, const BackupFiles& files, Operator& op, const PcClock& clock);

// Why a backup that was not saved whole failed, for "Backup failed: WHY.
// Nothing was written to the unit.": "the unit's configuration fails its
// checksum (its bytes are kept in IMAGE)" ...
std::string BackupFailureReason(const BackupResult& result, const BackupFiles& files);

// When the unit's pages could not all be read.
inline constexpr const char* kBackupUnreadReason = "the unit's configuration could not be read";

// "Backup failed: WHY. Nothing was written to the unit."
std::string BackupFailedLine(const std::string& why);

// A unit that holds no configuration at all: every byte 0 (as a new unit
// reads) or every byte 255 (an erased memory). There is nothing to back up.
bool IsBlankImage(const ConfigImage& image);

}  // namespace tarnvik
