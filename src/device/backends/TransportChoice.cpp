#include "device/backends/TransportChoice.h"

#include <cstdlib>

#include "device/simulated/SimulatedTransport.h"

// The system's HID stack: its own calls on Windows, hidapi elsewhere.
#ifdef _WIN32
#include "device/windows/WindowsHidTransport.h"
#else
#include "device/hidapi/HidapiTransport.h"
#endif

namespace tarnvik {

std::string SimulatedUnitFromEnvironment() {
  const char* folder = std::getenv(kSimulatedUnitVariable);
  return folder != nullptr ? folder : "";
}

std::unique_ptr<HidTransport> MakeTransport(const std::string& simulatedFolder) {
  if (!simulatedFolder.empty()) return SimulatedUnitInFolder(simulatedFolder);
#ifdef _WIN32
  return std::make_unique<winhid::WindowsHidTransport>();
#else
  return std::make_unique<HidapiTransport>();
#endif
}

std::string HidLibraryVersion() { return HidapiVersion(); }

}  // namespace tarnvik
