#pragma once
// Several simulated units on one bus, for trying what the program does with
// two units attached: a folder whose subfolders each keep one unit's state
// (UnitStateFolder), listed as "simulated:FOLDER/NAME" in the order of their
// names, after a keyboard. The folder is looked at again at every listing,
// so a unit's folder made or removed while the program runs is a unit
// plugged in or pulled out (as is its "unplugged" file).

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace tarnvik {

class SimulatedUnit;

class SimulatedBus : public HidTransport {
 public:
  explicit SimulatedBus(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // True when `folder` holds no unit of its own (no memory.bin) but at least
  // one subfolder that does: a bus rather than a unit.
  static bool IsBus(const std::filesystem::path& folder);

  // Throws OperationError for a unit's folder that cannot be used.
  std::vector<HidInterface> enumerate() override;
  Opened open(const std::string& path) override;
  UnitLock lockUnit(const std::string& path) override;

 private:
  // The units whose folders are there now, by path, in the order of their names.
  std::vector<std::pair<std::string, std::shared_ptr<SimulatedUnit>>> attached();
  std::shared_ptr<SimulatedUnit> unit(const std::string& path);

  std::filesystem::path folder_;
  std::map<std::string, std::shared_ptr<SimulatedUnit>> units_;  // made at first sight, by path
};

}  // namespace tarnvik
