#include "device/DeviceOperations.h"

#include <cstdio>

#include "core/Operator.h"
#include "device/ConfigTransfer.h"
#include "device/UnitSession.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "image/EncodeForWrite.h"

namespace tarnvik {

namespace {

// Reads the pages and closes the link; the link must have been opened.
ReadConfigOutcome ReadPages(DeviceLink& link, const DeviceAccess& access, ConfigImage& readImage) {
  ReadConfigOutcome outcome;
  outcome.found = true;
  outcome.unit = link.unit();
  outcome.allPages = ReadConfigPages(link, readImage, access.op);
  link.CloseLink();
  return outcome;
}

// The version query that follows a read whose checksum held.
void QueryAfterRead(const DeviceAccess& access, ReadConfigOutcome& outcome) {
  DeviceLink link = LinkFor(access);
  if (link.OpenLink()) outcome.versionShown = QueryFirmwareVersion(link, access.op);
  outcome.versionFault = link.lastFault();
}

}  // namespace

// The unit stays held from the read's opening through the version query's.
ReadConfigOutcome ReadConfig(const DeviceAccess& given, ConfigImage& readImage, DeviceSettings& settings) {
  UnitSession units(given.transport);
  const DeviceAccess access = HeldAccess(given, units);
  readImage.clear();
  DeviceLink link = LinkFor(access);
  if (!link.OpenLink()) return {};
  ReadConfigOutcome outcome = ReadPages(link, access, readImage);
  // The checksum alone judges the data: a partial image almost always fails it.
  if (!CheckImageChecksum(readImage)) {
    access.op.logLine("Eeprom checksum error. Please reload configuration.");
    return outcome;
  }
  outcome.checksumOk = true;
  outcome.decoded = DecodeImage(readImage, settings, access.op);
  access.op.logLine(outcome.decoded ? "Eeprom read success." : "Eeprom read error. Please reload configuration.");
  QueryAfterRead(access, outcome);
  return outcome;
}

WriteConfigOutcome WriteConfig(const DeviceAccess& given, DeviceSettings& settings, ConfigImage& writeImage,
                               const PcClock& clock, const StampSource& stamp) {
  UnitSession units(given.transport);
  const DeviceAccess access = HeldAccess(given, units);
  WriteConfigOutcome outcome;
  outcome.encoded = EncodeForWrite(settings, writeImage, access.op, clock, stamp);
  if (!outcome.encoded) return outcome;
  DeviceLink link = LinkFor(access);
  outcome.found = link.OpenLink();
  if (outcome.found) outcome.allPages = WriteConfigPages(link, writeImage, access.op);
  return outcome;
}

std::string FirmwareVersionText(std::uint32_t value) {
  char text[64];
  std::snprintf(text, sizeof text, "Firmware version: %.2f", value * 0.01);
  return text;
}

bool QueryFirmwareVersion(DeviceLink& link, Operator& op) {
  HidReport response{};
  if (!link.ExchangeReport(MakeRequest(Command::FirmwareVersion), response)) return false;
  op.plainBox(FirmwareVersionText(GetU32(response, report::kVersion)));
  return true;
}

VersionOutcome ShowFirmwareVersion(const DeviceAccess& access) {
  UnitSession units(access.transport);
  DeviceLink link = LinkFor(HeldAccess(access, units));
  VersionOutcome outcome;
  outcome.found = link.OpenLink();
  if (!outcome.found) return outcome;
  outcome.shown = QueryFirmwareVersion(link, access.op);
  outcome.fault = link.lastFault();
  return outcome;
}

}  // namespace tarnvik
