#include "device/simulated/SimulatedBus.h"

#include <algorithm>
#include <string_view>

#include "core/OperationError.h"
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

// Why a unit's folder cannot be used, without the "Simulated unit: " that
// the message of a lone unit starts with: the path says it here.
std::string RefusalOf(const OperationError& error) {
  constexpr std::string_view kStart = "Simulated unit: ";
  const std::string_view text = error.what();
  return std::string(text.starts_with(kStart) ? text.substr(kStart.size()) : text);
}

const std::string& KeyboardIds() {
  static const std::string ids =
      std::string("HID\\VID_046D&PID_C31C&REV_6400") + '\0' + "HID\\VID_046D&PID_C31C" + '\0';
  return ids;
}

}  // namespace

bool SimulatedBus::IsBus(const fs::path& folder) { return !HoldsUnit(folder) && !UnitFolders(folder).empty(); }

std::vector<SimulatedBus::Attached> SimulatedBus::attached() {
  std::vector<Attached> units;
  for (const fs::path& folder : UnitFolders(folder_)) {
    Attached found{kPrefix + platform::TextOf(folder), nullptr, {}};
    std::shared_ptr<SimulatedUnit>& unit = units_[found.path];
    try {
      if (!unit) unit = std::make_shared<SimulatedUnit>(platform::TextOf(folder));
    } catch (const OperationError& error) {
      found.refusal = RefusalOf(error);
    }
    found.unit = unit;
    units.push_back(std::move(found));
  }
  return units;
}

// A unit that is refused is listed as found, as a unit on USB that this user
// may not open is.
std::vector<HidInterface> SimulatedBus::enumerate() {
  std::vector<HidInterface> present{{"simulated:keyboard", KeyboardIds()}};
  for (const Attached& found : attached())
    if (!found.unit || found.unit->present())
      present.push_back({found.path, kUnitHardwareIds, found.unit ? found.unit->serial() : std::string()});
  return present;
}

SimulatedBus::Attached SimulatedBus::unit(const std::string& path) {
  for (Attached& found : attached())
    if (found.path == path) return found;
  return {path, nullptr, {}};
}

// The units still there are opened as a bus of one would open them.
HidTransport::Opened SimulatedBus::open(const std::string& path) {
  const Attached found = unit(path);
  if (!found.refusal.empty()) return {nullptr, path + ": " + found.refusal};
  SimulatedTransport one;
  if (found.unit) one.addUnit(path, found.unit);
  return one.open(path);
}

HidTransport::UnitLock SimulatedBus::lockUnit(const std::string& path) {
  const auto found = units_.find(path);
  if (found == units_.end() || !found->second || found->second->lockFile().empty()) return {};
  return {platform::FileLock::TryLockFile(found->second->lockFile())};
}

}  // namespace tarnvik
