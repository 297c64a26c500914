#include "platform/UsbAccess.h"

namespace tarnvik::platform {

std::string_view UsbAccessSection() { return "USB access on Linux"; }

}  // namespace tarnvik::platform
