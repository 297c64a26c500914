#pragma once
// Which HID stack the window and the tool talk to: a simulated unit kept in a
// folder when one is named (on the command line, or in the environment
// variable TARNVIK_SIMULATED_UNIT), otherwise the real USB HID stack (the
// system's own HID calls on Windows, hidapi elsewhere).

#include <memory>
#include <string>

#include "device/HidTransport.h"

namespace tarnvik {

inline constexpr const char* kSimulatedUnitVariable = "TARNVIK_SIMULATED_UNIT";

// The folder named by TARNVIK_SIMULATED_UNIT; empty when it is not set.
std::string SimulatedUnitFromEnvironment();

// The simulated unit in `simulatedFolder` when not empty, else the real USB
// HID stack. Throws OperationError when neither can be had.
std::unique_ptr<HidTransport> MakeTransport(const std::string& simulatedFolder);

// The HID library the real stack uses and its version, as it runs.
std::string HidLibraryVersion();

}  // namespace tarnvik
