#include "safeguard/UnitBackup.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "cfgfile/AtomicFile.h"
#include "cfgfile/ConfigFileOps.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "platform/FileSystem.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

void SaveImage(const ConfigImage& image, const std::string& path) {
  AtomicFile file(path);
  file.write(std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
  file.commit();
}

// Removes the file a save to `path` would replace, when there is one, as that
// save would be allowed to replace it.
void RemoveEarlier(const std::string& path) {
  if (platform::StatusOf(path, platform::Links::Follow).kind == platform::FileStatus::Kind::Missing) return;
  AtomicFile(path).removeOld();
}

BackupResult Ended(BackupOutcome outcome) { return {outcome, std::nullopt, {}}; }

// Runs one save; the outcome it ends with when it fails, or Saved.
BackupResult Save(const std::function<void()>& save, BackupOutcome unsaved) {
  try {
    save();
    return Ended(BackupOutcome::Saved);
  } catch (const FileWriteError& error) {
    return {unsaved, error, {}};
  } catch (const ConversionError& error) {
    return {BackupOutcome::NumberNotKept, std::nullopt, error.what()};
  }
}

}  // namespace

BackupResult SaveUnitBackup(const ConfigImage& image, const BackupFiles& files, Operator& op, const PcClock& clock) {
  if (BackupResult removed = Save([&] { RemoveEarlier(files.config); }, BackupOutcome::EarlierConfigKept);
      removed.outcome != BackupOutcome::Saved)
    return removed;
  if (BackupResult saved = Save([&] { SaveImage(image, files.image); }, BackupOutcome::ImageNotSaved);
      saved.outcome != BackupOutcome::Saved)
    return saved;
  if (!CheckImageChecksum(image)) return Ended(BackupOutcome::Damaged);
  ConfigImage decoded = image;
  DeviceSettings held(clock);
  if (!DecodeImage(decoded, held, op)) return Ended(BackupOutcome::OtherVersion);
  return Save([&] { SaveConfigFile(held, files.config); }, BackupOutcome::ConfigNotSaved);
}

std::string BackupFailureReason(const BackupResult& result, const BackupFiles& files) {
  const std::string kept = " (its bytes are kept in " + files.image + ")";
  switch (result.outcome) {
    case BackupOutcome::Saved: return {};
    case BackupOutcome::EarlierConfigKept: return "the earlier backup " + files.config + " could not be replaced";
    case BackupOutcome::ImageNotSaved: return "the unit's image could not be saved to " + files.image;
    case BackupOutcome::Damaged: return "the unit's configuration fails its checksum" + kept;
    case BackupOutcome::OtherVersion: return "the unit's configuration is of another version" + kept;
    case BackupOutcome::NumberNotKept:
      return "the unit's configuration holds a number a configuration file cannot hold" + kept;
    case BackupOutcome::ConfigNotSaved: return "the unit's configuration could not be saved to " + files.config + kept;
  }
  return {};
}

std::string BackupFailedLine(const std::string& why) {
  return "Backup failed: " + why + ". Nothing was written to the unit.";
}

bool IsBlankImage(const ConfigImage& image) {
  const std::uint8_t first = image.bytes.front();
  return (first == 0x00 || first == 0xFF) &&
         std::all_of(image.bytes.begin(), image.bytes.end(), [first](std::uint8_t b) { return b == first; });
}

}  // namespace tarnvik
