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

// The hidapi backend for units plugged at paths that are no files here
// (/dev/hidraw3): each unit's lock is a stand-in for its device node, a file
// in a folder of the test's own, locked as the node would be, so that tests
// running at once never meet on a node of the system.
class HidapiOnDesk : public HidapiTransport {
 public:
  explicit HidapiOnDesk(std::string nodeFolder) : nodeFolder_(std::move(nodeFolder)) {}
  UnitLock lockUnit(const std::string& path) override;

 private:
  std::string nodeFolder_;
};

}  // namespace tarnvik::test
