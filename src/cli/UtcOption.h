#pragma once
// --utc YYYY-MM-DDTHH:MM: a fixed PC clock, so that runs repeat byte for byte.

#include <optional>
#include <string>

#include "settings/PcClock.h"

namespace tarnvik::cli {

std::optional<PcClock> ParseUtcOption(const std::string& text);

}  // namespace tarnvik::cli
