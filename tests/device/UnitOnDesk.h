#pragma once
// A simulated system for the device tests: a keyboard and one Tarnvik unit
// on the HID bus, an operator that records everything, and the access the
// device operations take.

#include <memory>
#include <string>
#include <vector>

#include "device/DeviceOperations.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "support/RecordingOperator.h"

namespace tarnvik::test {

struct UnitOnDesk {
  UnitOnDesk();

  std::shared_ptr<SimulatedUnit> unit = std::make_shared<SimulatedUnit>();
  SimulatedTransport transport;
  RecordingOperator record;
  DeviceAccess access{transport, record};
};

// "<prefix>from/total" ... "<prefix>to/total".
std::vector<std::string> PageLines(const std::string& prefix, int from, int to, int total);

// Start-up settings with a call sign and a TX delay of their own: what the
// simulated unit holds before a test changes it.
DeviceSettings UnitSettings();

// Concatenation, for building expected logs.
std::vector<std::string> Lines(std::initializer_list<std::vector<std::string>> parts);

}  // namespace tarnvik::test
