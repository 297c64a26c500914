#pragma once
// The program's name and version. The version text is also the version mark
// of the configuration image and of the configuration file, so it lives here
// once and everything shares it.

#include <string>

namespace tarnvik {

inline constexpr const char* kAppTitle = "Tarnvik Configurator";
inline constexpr const char* kConfigVersion = "v1.04";

inline std::string MainWindowCaption() { return std::string(kAppTitle) + " " + kConfigVersion; }

}  // namespace tarnvik
