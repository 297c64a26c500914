#include "safeguard/Comparison.h"

#include "core/Operator.h"
#include "device/ConfigTransfer.h"
#include "device/UnitSession.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "safeguard/ConfigSource.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

// The unit's image, or false when not all of it came in.
bool ReadUnit(const DeviceAccess& access, ConfigImage& image) {
  DeviceLink link = LinkFor(access);
  return link.OpenLink() && ReadConfigPages(link, image, access.op);
}

Comparison Compared(std::vector<SettingDifference> differences) {
  std::vector<std::string> lines = DifferenceLines(differences);
  return {true, std::move(lines), std::move(differences)};
}

}  // namespace

Comparison CompareWithUnit(const DeviceAccess& given, const DeviceSettings& window) {
  UnitSession units(given.transport);
  const DeviceAccess access = HeldAccess(given, units);
  ConfigImage image;
  if (!ReadUnit(access, image)) return {};
  if (!CheckImageChecksum(image)) {
    access.op.logLine("Eeprom checksum error. Please reload configuration.");
    return {};
  }
  DeviceSettings unit(window);
  if (!DecodeImage(image, unit, access.op)) return {};
  return Compared(Differences(window, unit, UploadpctimeCompared::No));
}

Comparison CompareWithFile(const DeviceSettings& window, const std::string& path, Operator& op) {
  DeviceSettings other(window);
  const ConfigSource source = LoadConfigOrImage(path, other, op);
  if (source.outcome != SourceOutcome::Loaded) return {};
  return Compared(Differences(window, other, source.image ? UploadpctimeCompared::No : UploadpctimeCompared::Yes));
}

}  // namespace tarnvik
