#include "cli/DeviceCommands.h"

#include <iostream>

#include "cfgfile/ConfigFileOps.h"
#include "cli/Commands.h"
#include "cli/DeviceOptions.h"
#include "cli/DeviceSession.h"
#include "cli/Files.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

void WriteRawImage(const std::string& path, const ConfigImage& image) {
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
}

int FirmwareStatus(UploadOutcome outcome) {
  switch (outcome) {
    case UploadOutcome::Done: return kDone;
    case UploadOutcome::OpenError: return kUsageOrIo;
    default: return kRefused;
  }
}

}  // namespace

int ReadCommand(const DeviceArguments& args) {
  return GuardedDevice([&] {
    DeviceSession session(args);
    DeviceSettings settings(session.clock);
    ConfigImage image;
    const ReadConfigOutcome outcome = ReadConfig(session.access(), image, settings);
    if (outcome.found && !args.raw.empty()) WriteRawImage(args.raw, image);
    const bool good = outcome.checksumOk && outcome.decoded;
    if (good) SaveConfigFile(settings, args.output);
    return good && outcome.allPages ? kDone : kRefused;
  });
}

int FirmwareCommand(const DeviceArguments& args) {
  return GuardedDevice([&] {
    DeviceSession session(args, args.input);
    FirmwareBuffer buffer;
    return FirmwareStatus(UploadFirmwareClick(session.access(), buffer, ""));
  });
}

int VersionCommand(const DeviceArguments& args) {
  return GuardedDevice([&] {
    DeviceSession session(args);
    const VersionOutcome outcome = ShowFirmwareVersion(session.access());
    if (outcome.found && !outcome.shown)
      std::cerr << (outcome.fault == ExchangeFault::NoAnswer
                        ? "Tarnvik did not answer within " + std::to_string(args.timeoutMs) + " ms."
                        : std::string("Tarnvik gave no valid answer to the version query."))
                << '\n';
    return outcome.shown ? kDone : kRefused;
  });
}

int ListCommand(const DeviceArguments& args) {
  return GuardedDevice([&] {
    DeviceSession session(args);
    const std::vector<HidInterface> units = FindUnits(session.transport());
    for (const HidInterface& unit : units)
      std::cout << unit.path << "  " << unit.hardwareIds.substr(0, unit.hardwareIds.find('\0')) << '\n';
    if (units.empty()) std::cout << kNotFoundLine << '\n';
    return units.empty() ? kRefused : kDone;
  });
}

}  // namespace tarnvik::cli
