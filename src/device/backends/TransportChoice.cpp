#include "device/backends/TransportChoice.h"

#include <cstdlib>

#include "device/hidapi/HidapiTransport.h"
#include "device/simulated/SimulatedTransport.h"

namespace tarnvik {

std::string SimulatedUnitFromEnvironment() {
  const char* folder = std::getenv(kSimulatedUnitVariable);
  return folder != nullptr ? folder : "";
}

std::unique_ptr<HidTransport> MakeTransport(const std::string& simulatedFolder) {
  if (!simulatedFolder.empty()) return SimulatedUnitInFolder(simulatedFolder);
  return std::make_unique<HidapiTransport>();
}

std::string HidLibraryVersion() { return HidapiVersion(); }

}  // namespace tarnvik
