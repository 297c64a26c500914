#pragma once
// Shows the configuration read from the unit: checks the image's version mark
// and sets every setting from its field.

namespace tarnvik {

class ConfigImage;
class DeviceSettings;
class Operator;

// When the version mark at offset 6 does not start with this configurator's
// version: zeroes byte 13 (so the unit's text has at most 7 characters), shows
// the three-line version message, changes no setting and returns false.
// Otherwise sets every setting but the clock fields, running the serial port
// reactions right after each port's role, and returns true. Expects an image
// whose checksum passed; any bytes are read safely.
bool DecodeImage(ConfigImage& readImage, DeviceSettings& settings, Operator& op);

}  // namespace tarnvik
