#pragma once
// Helpers for the image tests: settings at their start-up values with a fixed
// clock, encoding with a fixed write stamp, and byte and setting comparisons.

#include <cstdint>
#include <string>
#include <vector>

#include "image/ConfigImage.h"
#include "image/WriteStamp.h"
#include "settings/DeviceSettings.h"
#include "support/FreshSettings.h"
#include "support/SettingsDifferences.h"

namespace tarnvik::test {

inline constexpr std::uint16_t kStamp = 4711;

inline StampSource FixedStamp(std::uint16_t stamp = kStamp) {
  return [stamp] { return stamp; };
}

// Encodes with kStamp; a refusal fails the calling test.
ConfigImage EncodeOrFail(const DeviceSettings& settings);

// n image bytes from offset, as a string, for exact comparisons.
std::string Bytes(const ConfigImage& image, std::size_t offset, std::size_t n);
// Copies text (zero bytes included) into the image at offset.
void Put(ConfigImage& image, std::size_t offset, const std::string& text);
// value, little-endian, in size bytes.
std::string LittleEndian(std::uint32_t value, std::size_t size);
// Stores the right checksum at offset 0.
void FixChecksum(ConfigImage& image);

}  // namespace tarnvik::test
