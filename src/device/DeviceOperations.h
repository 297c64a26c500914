#pragma once
// The operations of the "Connection:" group: Read config, Write config and
// the firmware version query. The window's buttons and the command-line tool
// call these same functions; everything they say goes through the Operator
// (log lines, progress, message boxes). Each operation opens the link at its
// start and closes it on every way out, and holds the unit for this program
// alone from its first opening to its end (UnitSession): a unit that another
// program holds is not touched ("Tarnvik is in use by another program.").

#include <chrono>
#include <cstdint>
#include <string>

#include "device/DeviceLink.h"
#include "image/WriteStamp.h"
#include "settings/PcClock.h"

namespace tarnvik {

class ConfigImage;
class DeviceSettings;
class HidTransport;
class Operator;

// What a device operation works with.
struct DeviceAccess {
  HidTransport& transport;
  Operator& op;
  std::chrono::milliseconds exchangeLimit = kDefaultExchangeLimit;
  UnitChoice choice = {};  // which unit, when several are attached
};

// The link of one operation, with the access's limit and unit choice.
inline DeviceLink LinkFor(const DeviceAccess& access) {
  return DeviceLink(access.transport, access.op, access.exchangeLimit, access.choice);
}

// The same access through `held`, the session that holds the unit for the
// whole operation (UnitSession.h): limit and unit choice are kept.
inline DeviceAccess HeldAccess(const DeviceAccess& access, HidTransport& held) {
  return DeviceAccess{held, access.op, access.exchangeLimit, access.choice};
}

// How far Read config got. The window needs none of it (the log says it all);
// the command-line tool turns it into its exit status.
struct ReadConfigOutcome {
  bool found = false;                                // the unit was there
  bool allPages = false;                             // all 64 pages came in
  bool checksumOk = false;                           // the image's checksum held
  bool decoded = false;                              // the settings now show the image
  bool versionShown = false;                         // the firmware version box was shown
  ExchangeFault versionFault = ExchangeFault::None;  // why it was not, once asked
  HidInterface unit;                                 // the unit read, once found
};

// Read config: clears readImage, reads the 64 pages, checks the checksum,
// decodes into the settings, logs the verdict and, when the checksum held,
// opens the link again to show the firmware version.
ReadConfigOutcome ReadConfig(const DeviceAccess& access, ConfigImage& readImage, DeviceSettings& settings);

struct WriteConfigOutcome {
  bool encoded = false;   // every setting passed its check
  bool found = false;     // the unit was there
  bool allPages = false;  // all 64 pages were acknowledged
};

// Write config: copies the PC clock when "Upload PC system time on config
// write" is checked, checks and encodes the settings into writeImage and only
// then writes the 64 pages. A number text that does not convert throws
// ConversionError before the unit is contacted.
WriteConfigOutcome WriteConfig(const DeviceAccess& access, DeviceSettings& settings, ConfigImage& writeImage,
                               const PcClock& clock, const StampSource& stamp = SeededWriteStamp());

// "Firmware version: %.2f" of value / 100 (104 reads 1.04).
std::string FirmwareVersionText(std::uint32_t value);

// Asks an open link for the firmware version and shows it in a plain box.
// False, without a word, when the unit gave no valid answer.
bool QueryFirmwareVersion(DeviceLink& link, Operator& op);

struct VersionOutcome {
  bool found = false;
  bool shown = false;
  ExchangeFault fault = ExchangeFault::None;  // why it was not shown
};

// The query on its own: open, ask, close.
VersionOutcome ShowFirmwareVersion(const DeviceAccess& access);

}  // namespace tarnvik
