#include "safeguard/WriteWarnings.h"

#include "device/DeviceLink.h"

namespace tarnvik {

namespace {

constexpr const char* kPartlyWritten = "Write config was cut off: the unit now holds a partly written configuration.\n";

}  // namespace

FileMessage OtherUnitQuestion(const HidInterface& now, const HidInterface& last) {
  return {"The Tarnvik at " + UnitName(now) + " is not the unit last read or written (" + UnitName(last) +
              ").\nWrite the configuration to the Tarnvik at " + UnitName(now) + "?",
          {},
          {}};
}

FileMessage PartialWriteMessage(const std::string& backup) {
  if (backup.empty())
    return {std::string(kPartlyWritten) +
                "It was blank before the write, so there is no backup: write the "
                "configuration again.",
            {},
            {}};
  return {std::string(kPartlyWritten) + "The backup made before the write is ", backup,
          ": read it back with Read from file and write it again."};
}

}  // namespace tarnvik
