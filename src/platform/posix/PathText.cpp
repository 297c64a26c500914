#include "platform/PathText.h"

namespace tarnvik::platform {

std::filesystem::path PathOf(std::string_view text) { return std::filesystem::path(std::string(text)); }

std::string TextOf(const std::filesystem::path& path) { return path.string(); }

bool NameTextIsUtf8() { return false; }

}  // namespace tarnvik::platform
