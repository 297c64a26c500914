#pragma once
// The first half of Write config, shared by the window, the command-line tool
// and the device operations: the PC clock is copied into the clock fields
// when "Upload PC system time on config write" is checked, so that the checks
// and the image see the current time (UTC), and then the settings are checked
// and encoded.

#include "image/ConfigImage.h"
#include "image/WriteStamp.h"
#include "settings/PcClock.h"

namespace tarnvik {

class DeviceSettings;
class Operator;

// True when writeImage holds the encoded settings, ready to send. False after
// the one information box of the first refusal; the clock fields stay
// refreshed. A number text that does not convert throws ConversionError.
bool EncodeForWrite(DeviceSettings& settings, ConfigImage& writeImage, Operator& op, const PcClock& clock,
                    const StampSource& stamp = SeededWriteStamp());

}  // namespace tarnvik
