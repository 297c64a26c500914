#pragma once
// The HID interfaces of a simulated system: simulated units and other HID
// devices (which are listed but cannot be opened), in the order added. An
// unplugged unit is no longer listed and can no longer be opened.

#include <memory>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace tarnvik {

class SimulatedUnit;

// The identifiers a unit is listed with.
inline const std::string kUnitHardwareIds =
    std::string("HID\\VID_0483&PID_A04A&REV_0200") + '\0' + "HID\\VID_0483&PID_A04A" + '\0';

class SimulatedTransport : public HidTransport {
 public:
  void addUnit(std::string path, std::shared_ptr<SimulatedUnit> unit, std::string hardwareIds = kUnitHardwareIds);
  void addOtherDevice(std::string path, std::string hardwareIds);

  std::vector<HidInterface> enumerate() override;
  Opened open(const std::string& path) override;
  UnitLock lockUnit(const std::string& path) override;

 private:
  struct Port {
    HidInterface info;
    std::shared_ptr<SimulatedUnit> unit;  // null for another device
  };
  std::vector<Port> ports_;
};

// A keyboard, then the unit kept in `folder`: what the window and the tool
// see when told to use a simulated unit; or, for a folder that holds units'
// folders instead (SimulatedBus::IsBus), a keyboard and each of those units.
// Throws OperationError when the folder cannot be used.
std::unique_ptr<HidTransport> SimulatedUnitInFolder(const std::string& folder);

}  // namespace tarnvik
