#include "platform/UsbAccess.h"

namespace tarnvik::platform {

std::string_view UsbAccessSection() { return "USB access on Windows"; }

std::string_view UsbAccessReadme() { return "README.txt"; }

}  // namespace tarnvik::platform
