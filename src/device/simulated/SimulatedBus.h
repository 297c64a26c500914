#pragma once
// Several simulated units on one bus, for trying what the program does with
// two units attached: a folder whose subfolders each keep one unit's state
// (UnitStateFolder), listed as "simulated:FOLDER/NAME" in the order of their
// names, after a keyboard. The folder is looked at again at every listing,
// so a unit's folder made or removed while the program runs is a unit
// plugged in or pulled out (as is its "unplugged" file). A unit whose folder
// cannot be used (another user may write it ...) is that unit's trouble
// alone: it is listed, opening it fails with the reason, and the others work;
// it is looked at again at the next listing.

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

  std::vector<HidInterface> enumerate() override;
  Opened open(const std::string& path) override;
  UnitLock lockUnit(const std::string& path) override;

 private:
  // A unit's folder that is there now: its unit, or why it cannot be used.
  struct Attached {
    std::string path;
    std::shared_ptr<SimulatedUnit> unit;  // null when refused
    std::string refusal;
  };
  // The units whose folders are there now, in the order of their names.
  std::vector<Attached> attached();
  Attached unit(const std::string& path);

  std::filesystem::path folder_;
  std::map<std::string, std::shared_ptr<SimulatedUnit>> units_;  // made at first use, by path
};

}  // namespace tarnvik
