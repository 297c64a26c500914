#pragma once
// Where the README tells the operator how this system lets a program open the
// unit, for the line that says why the unit could not be opened.

#include <string_view>

namespace tarnvik::platform {

// The title of that section of the README.
std::string_view UsbAccessSection();

// The README the operator has at hand: README.md beside the source and in
// the Linux packages' documentation, README.txt beside the programs in the
// Windows zip and install folder.
std::string_view UsbAccessReadme();

}  // namespace tarnvik::platform
