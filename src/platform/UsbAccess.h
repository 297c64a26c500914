#pragma once
// Where the README tells the operator how this system lets a program open the
// unit, for the line that says why the unit could not be opened.

#include <string_view>

namespace tarnvik::platform {

// The title of that section of README.md.
std::string_view UsbAccessSection();

}  // namespace tarnvik::platform
