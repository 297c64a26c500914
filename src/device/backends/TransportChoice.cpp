#include "device/backends/TransportChoice.h"

#include "device/simulated/SimulatedTransport.h"
#include "platform/Process.h"

// The system's HID stack: its own calls on Windows, hidapi elsewhere.
#ifdef _WIN32
#include "device/windows/WindowsHidTransport.h"
#else
#include "device/hidapi/HidapiTransport.h"
#endif

namespace tarnvik {

std::string SimulatedUnitFromEnvironment() {
  return platform::EnvironmentVariable(kSimulatedUnitVariable).value_or("");
}

std::unique_ptr<HidTransport> MakeTransport(const std::string& simulatedFolder) {
  if (!simulatedFolder.empty()) return SimulatedUnitInFolder(simulatedFolder);
#ifdef _WIN32
  return std::make_unique<winhid::WindowsHidTransport>();
#else
  return std::make_unique<HidapiTransport>();
#endif
}

#ifdef _WIN32
std::string HidLibraryVersion() { return winhid::WindowsHidVersion(); }
#else
std::string HidLibraryVersion() { return HidapiVersion(); }
#endif

}  // namespace tarnvik
