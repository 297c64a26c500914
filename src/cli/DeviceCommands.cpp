#include "cli/DeviceCommands.h"

#include <algorithm>
#include <ostream>

#include "cfgfile/ConfigFileOps.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
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

// Why a unit that was found did not answer the version query; nothing when
// the log already says it (the unit gone, or not opened).
void NoteVersionFault(const CommandContext& context, ExchangeFault fault, std::chrono::milliseconds limit) {
  if (fault == ExchangeFault::None || fault == ExchangeFault::NotOpen) return;
  if (fault == ExchangeFault::NoAnswer)
    context.messages << "Tarnvik did not answer within " << limit.count() << " ms.\n";
  else
    context.messages << "Tarnvik gave no valid answer to the version query.\n";
}

}  // namespace

int ReadCommand(const CommandContext& context, const Arguments& args) {
  return RunOnUnit(context, args, [&](DeviceSession& session) -> int {
    DeviceSettings settings(context.clock);
    ConfigImage image;
    const ReadConfigOutcome outcome = ReadConfig(session.access(), image, settings);
    if (outcome.found && !args.raw.empty()) WriteRawImage(args.raw, image);
    const bool good = outcome.checksumOk && outcome.decoded;
    if (good) SaveConfigFile(settings, args.output);
    if (outcome.checksumOk && !outcome.versionShown) NoteVersionFault(context, outcome.versionFault, session.limit());
    return good && outcome.allPages && outcome.versionShown ? kDone : kRefused;
  });
}

int FirmwareCommand(const CommandContext& context, const Arguments& args) {
  return RunOnUnit(
      context, args,
      [&](DeviceSession& session) -> int {
        FirmwareBuffer buffer;
        return FirmwareStatus(UploadFirmwareClick(session.access(), buffer, ""));
      },
      args.input);
}

int VersionCommand(const CommandContext& context, const Arguments& args) {
  return RunOnUnit(context, args, [&](DeviceSession& session) -> int {
    const VersionOutcome outcome = ShowFirmwareVersion(session.access());
    if (outcome.found && !outcome.shown) NoteVersionFault(context, outcome.fault, session.limit());
    return outcome.shown ? kDone : kRefused;
  });
}

int ListCommand(const CommandContext& context, const Arguments& args) {
  return RunOnUnit(context, args, [&](DeviceSession& session) -> int {
    std::vector<HidInterface> units = FindUnits(session.transport());
    if (!args.device.empty()) std::erase_if(units, [&](const HidInterface& unit) { return unit.path != args.device; });
    for (const HidInterface& unit : units)
      context.out << unit.path << "  " << unit.hardwareIds.substr(0, unit.hardwareIds.find('\0')) << '\n';
    if (units.empty()) context.out << kNotFoundLine << '\n';
    return units.empty() ? kRefused : kDone;
  });
}

}  // namespace tarnvik::cli
