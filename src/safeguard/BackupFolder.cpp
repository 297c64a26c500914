#include "safeguard/BackupFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <vector>

#include "core/OperationError.h"
#include "image/ConfigImage.h"
#include "image/FieldDecoder.h"
#include "image/ImageFields.h"
#include "platform/PathText.h"
#include "platform/UserFolders.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxCallsign = 10;
// The station's SSID byte reads as a number from 0 to 255 (Read config reads
// any byte, 255 as 207): three digits, all shown.
constexpr std::size_t kMaxSsid = 3;

// What newNames makes, and nothing else: a stem, then .cfg or .bin.
const std::regex& BackupName() {
  static const std::regex name(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\dZ_[A-Za-z0-9_]*-[A-Za-z0-9_]*(~\d{1,6})?\.(cfg|bin))");
  return name;
}

std::string Plain(const std::string& text, std::size_t limit) {
  std::string plain = text.substr(0, limit);
  for (char& c : plain)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) c = '_';
  return plain;
}

std::string UtcStamp(std::time_t when) {
  using namespace std::chrono;
  const sys_seconds instant{seconds{when}};
  const sys_days day = floor<days>(instant);
  const year_month_day date{day};
  const hh_mm_ss<seconds> time{instant - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u_%02d-%02d-%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

// The station address field alone, read as Read config would read it.
std::pair<std::string, std::string> Station(const ConfigImage& image) {
  DeviceSettings settings;
  for (const ImageField& field : ImageFields())
    if (field.kind == FieldKind::StationAddress) FieldDecoder(image, settings).decode(field);
  return {settings.text("Callsign"), settings.text("Ssid")};
}

bool Taken(const fs::path& folder, const std::string& stem) {
  std::error_code error;
  return fs::exists(folder / (stem + ".cfg"), error) || fs::exists(folder / (stem + ".bin"), error);
}

// A stem as its station and time, and its number within the second.
std::pair<std::string, int> Order(const std::string& stem) {
  const std::size_t tilde = stem.find('~');
  if (tilde == std::string::npos) return {stem, 1};
  return {stem.substr(0, tilde), std::stoi(stem.substr(tilde + 1))};
}

}  // namespace

std::string BackupStem(std::time_t when, const std::string& callsign, const std::string& ssid) {
  return UtcStamp(when) + "_" + Plain(callsign, kMaxCallsign) + "-" + Plain(ssid, kMaxSsid);
}

std::string BackupFolder::DefaultPath() {
  const std::string data = platform::UserDataFolder();
  if (data.empty()) return data;
  return platform::TextOf(platform::PathOf(data) / "tarnvik-configurator" / "backups");
}

void BackupFolder::make() const {
  std::error_code error;
  fs::create_directories(platform::PathOf(path_), error);
  if (error) throw FileWriteError(path_, error.message());
  if (!fs::is_directory(platform::PathOf(path_), error)) throw FileWriteError(path_, "not a folder");
}

BackupFiles BackupFolder::newNames(std::time_t when, const ConfigImage& image) const {
  const auto [callsign, ssid] = Station(image);
  const std::string base = BackupStem(when, callsign, ssid);
  std::string stem = base;
  const fs::path folder = platform::PathOf(path_);
  for (int n = 2; Taken(folder, stem); ++n) stem = base + "~" + std::to_string(n);
  return {platform::TextOf(folder / (stem + ".bin")), platform::TextOf(folder / (stem + ".cfg"))};
}

// Backups are ordered by their names, the time first, and a second backup
// of the same second after the first (~2 before ~10).
void BackupFolder::prune(std::size_t keep, const BackupFiles& made) const {
  std::map<std::pair<std::string, int>, std::vector<fs::path>> backups;
  std::error_code error;
  for (fs::directory_iterator entry(platform::PathOf(path_), error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = platform::TextOf(entry->path().filename());
    if (std::regex_match(name, BackupName()))
      backups[Order(platform::TextOf(entry->path().stem()))].push_back(entry->path());
  }
  const auto spared = Order(platform::TextOf(platform::PathOf(made.image).stem()));
  std::size_t excess = backups.size() > keep ? backups.size() - keep : 0;
  for (auto it = backups.begin(); excess > 0 && it != backups.end(); ++it) {
    if (!made.image.empty() && it->first == spared) continue;
    for (const fs::path& file : it->second) fs::remove(file, error);
    --excess;
  }
}

}  // namespace tarnvik
