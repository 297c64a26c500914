#pragma once
// hidapi's C interface implemented over simulated units, linked into a test
// in place of the library, so that the program's real hidapi backend
// (HidapiTransport) runs as on a computer with units attached: listing by
// vendor and product with device paths and serial numbers (each unit twice,
// as hidraw lists a device once per top-level collection), one handle per
// opening, input reports handed over without their report id, time-outs,
// and "No such device" or "device disconnected" once a unit is pulled out.

#include <functional>
#include <memory>
#include <string>

#include "device/hidapi/HidapiTransport.h"

namespace tarnvik {
class SimulatedUnit;
}

namespace tarnvik::test {

// The attached units are shared by every thread of the test program.
class HidapiDouble {
 public:
  // Attaches `unit` at `path` (a path like /dev/hidraw3), after those already there.
  static void plug(const std::string& path, std::shared_ptr<SimulatedUnit> unit, const std::string& serial);
  // Detaches the unit at `path`: no longer listed, and its open handles fail.
  static void pull(const std::string& path);
  // Detaches every unit.
  static void reset();
  // How many times the program has listed the devices.
  static int enumerations();
};

// The hidapi backend with its unit locks in a folder of the test's own, so
// that tests running at once never meet on a lock in the system's lock folder.
class HidapiOnDesk : public HidapiTransport {
 public:
  explicit HidapiOnDesk(std::string lockFolder) : lockFolder_(std::move(lockFolder)) {}
  std::string lockFile(const std::string& path) const override {
    return lockFolder_ + "/" + std::to_string(std::hash<std::string>()(path)) + ".lock";
  }

 private:
  std::string lockFolder_;
};

}  // namespace tarnvik::test
