#include "device/simulated/SimulatedBus.h"

#include <algorithm>

#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "platform/PathText.h"

namespace tarnvik {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "simulated:";

bool HoldsUnit(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(folder / "memory.bin", error);
}

std::vector<fs::path> UnitFolders(const fs::path& bus) {
  std::vector<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator entry(bus, error), end; !error && entry != end; entry.increment(error))
    if (HoldsUnit(entry->path())) found.push_back(entry->path());
  std::sort(found.begin(), found.end());
  return found;
}

const std::string& KeyboardIds() {
  static const std::string ids =
      std::string("HID\\VID_046D&PID_C31C&REV_6400") + '\0' + "HID\\VID_046D&PID_C31C" + '\0';
  return ids;
}

}  // namespace

bool SimulatedBus::IsBus(const fs::path& folder) { return !HoldsUnit(folder) && !UnitFolders(folder).empty(); }

std::vector<std::pair<std::string, std::shared_ptr<SimulatedUnit>>> SimulatedBus::attached() {
  std::vector<std::pair<std::string, std::shared_ptr<SimulatedUnit>>> units;
  for (const fs::path& folder : UnitFolders(folder_)) {
    const std::string path = kPrefix + platform::TextOf(folder);
    auto& unit = units_[path];
    if (!unit) unit = std::make_shared<SimulatedUnit>(platform::TextOf(folder));
    units.emplace_back(path, unit);
  }
  return units;
}

std::vector<HidInterface> SimulatedBus::enumerate() {
  std::vector<HidInterface> present{{"simulated:keyboard", KeyboardIds()}};
  for (const auto& [path, unit] : attached())
    if (unit->present()) present.push_back({path, kUnitHardwareIds, unit->serial()});
  return present;
}

std::shared_ptr<SimulatedUnit> SimulatedBus::unit(const std::string& path) {
  for (const auto& [attachedPath, unit] : attached())
    if (attachedPath == path) return unit;
  return nullptr;
}

// The units still there are opened as a bus of one would open them.
HidTransport::Opened SimulatedBus::open(const std::string& path) {
  SimulatedTransport one;
  if (std::shared_ptr<SimulatedUnit> found = unit(path)) one.addUnit(path, found);
  return one.open(path);
}

HidTransport::UnitLock SimulatedBus::lockUnit(const std::string& path) {
  const auto found = units_.find(path);
  if (found == units_.end() || found->second->lockFile().empty()) return {};
  return {platform::FileLock::TryLockFile(found->second->lockFile())};
}

}  // namespace tarnvik
