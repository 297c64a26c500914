#pragma once
// Conversions of number texts to 32-bit integers. Numbers are held as texts
// exactly as typed; they are converted only when the settings are encoded for
// the unit or saved to a configuration file.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnvik {

// For the unit: an optional sign and decimal digits, nothing else (no blanks).
// Empty texts, other characters and values outside 32 bits fail.
std::optional<std::int32_t> ParseDecimal(std::string_view text);
// The same, throwing ConversionError with the text on failure.
std::int32_t ConvertDecimal(std::string_view text);

// For configuration files: optional leading blanks, an optional sign, then
// decimal digits or a hexadecimal number after "$", "0x" or "0X". The value
// must fit a signed 32-bit integer.
std::optional<std::int32_t> ParseFileInteger(std::string_view text);
// The same, throwing ConversionError with the text on failure.
std::int32_t ConvertFileInteger(std::string_view text);

}  // namespace tarnvik
