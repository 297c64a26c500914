#pragma once
// Turns the settings into the image the unit stores, checking them on the way.
// This is the one place where settings are checked: one pass in a fixed
// order, and the first refusal ends it with one information box.

#include <cstdint>
#include <optional>
#include <string>

#include "image/ConfigImage.h"
#include "image/WriteStamp.h"

namespace tarnvik {

class DeviceSettings;
class Operator;

// Clears writeImage, writes every setting and finishes the image (end marker,
// write stamp, checksum). Returns false after showing the first refusal;
// writeImage then holds what was written before it and must not be sent.
// Writes nothing to the log and never changes the settings. A number text
// that is not a whole number (other than the SSID of a destination, path or
// filter entry) throws ConversionError.
bool EncodeSettings(const DeviceSettings& settings, ConfigImage& writeImage, Operator& op,
                    const StampSource& stamp = SeededWriteStamp());

// Where the checks of EncodeSettings stop for these settings: the setting the
// operator has to correct, and the message shown for it (or the conversion
// error's message, without its full stop). Nothing when every setting passes.
// Shows nothing and throws nothing, so the window can lead the operator to
// the field once the box was closed.
struct Refusal {
  std::string setting;
  std::string message;
};
std::optional<Refusal> FindRefusal(const DeviceSettings& settings);

// The last steps of an encoding: "END", the stamp, then the checksum over both.
void FinishImage(ConfigImage& image, std::uint16_t stamp);

}  // namespace tarnvik
