#pragma once
// The folder where the window keeps a backup of the unit before every Write
// config: in the user's data folder, tarnvik-configurator/backups. Each
// backup is named by the date and time it was made (UTC, as the unit's
// clock) and the station it held: 2026-07-03_09-05-12Z_OH2XYZ-4.cfg with its
// raw image beside it as .bin (a second backup within the same second of the
// same station adds ~2, ~3 ...). Only the newest kKeptBackups are kept; files
// named otherwise are never touched.

#include <cstddef>
#include <ctime>
#include <string>

#include "safeguard/UnitBackup.h"

namespace tarnvik {

class ConfigImage;

class BackupFolder {
 public:
  static constexpr std::size_t kKeptBackups = 100;

  // The folder at `path` (made when the first backup is saved).
  explicit BackupFolder(std::string path) : path_(std::move(path)) {}

  // UserDataFolder()/tarnvik-configurator/backups; empty when the user has no data folder.
  static std::string DefaultPath();

  const std::string& path() const { return path_; }

  // Makes the folder (and those above it) when missing. Throws FileWriteError.
  void make() const;

  // Names for a new backup made at `when` of a unit that holds `image`,
  // named after the station in the image's callsign and SSID fields (read
  // whatever the image's checks say); never names that are taken.
  BackupFiles newNames(std::time_t when, const ConfigImage& image) const;

  // Removes the oldest backups until at most `keep` are left, never the one
  // named by `made` (the backup just made, counted among those kept): files
  // named like backups with later times, left by a clock that was ahead,
  // would otherwise push it out. Files that cannot be removed stay; nothing
  // else in the folder is touched.
  void prune(std::size_t keep = kKeptBackups, const BackupFiles& made = {}) const;

 private:
  std::string path_;
};

// "2026-07-03_09-05-12Z_OH2XYZ-4": the name of a backup without its
// extension. Characters other than letters and digits in the callsign or
// SSID become "_"; the callsign is cut to 10 characters and the SSID to 3,
// the most digits of any SSID an image holds (its byte reads as 0 to 255).
std::string BackupStem(std::time_t when, const std::string& callsign, const std::string& ssid);

}  // namespace tarnvik
