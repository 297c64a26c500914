#include "platform/UsbAccess.h"

namespace tarnvik::platform {

std::string_view UsbAccessSection() { return "USB access on Linux"; }

std::string_view UsbAccessReadme() { return "README.md"; }

}  // namespace tarnvik::platform
