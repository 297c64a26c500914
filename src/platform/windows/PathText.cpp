#include "platform/PathText.h"

#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

std::filesystem::path PathOf(std::string_view text) { return std::filesystem::path(windows::Wide(text)); }

std::string TextOf(const std::filesystem::path& path) { return windows::Narrow(path.native()); }

bool NameTextIsUtf8() { return true; }

}  // namespace tarnvik::platform
