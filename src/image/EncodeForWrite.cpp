#include "image/EncodeForWrite.h"

#include "image/EncodeSettings.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

bool EncodeForWrite(DeviceSettings& settings, ConfigImage& writeImage, Operator& op, const PcClock& clock,
                    const StampSource& stamp) {
  if (settings.flag("Uploadpctime")) CopyPcClock(settings, clock);
  return EncodeSettings(settings, writeImage, op, stamp);
}

}  // namespace tarnvik
