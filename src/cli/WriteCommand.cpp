// The write command: Read from file, then Write config; on request a backup
// of what the unit held before, and a read-back of what it holds after.
#include <optional>
#include <ostream>

#include "cli/Arguments.h"
#include "cli/CommandGuard.h"
#include "cli/Commands.h"
#include "cli/DeviceCommands.h"
#include "cli/DeviceSession.h"
#include "cli/Files.h"
#include "core/OperationError.h"
#include "device/ConfigTransfer.h"
#include "device/WriteVerify.h"
#include "image/ConfigImage.h"
#include "image/EncodeForWrite.h"
#include "image/WriteStamp.h"
#include "safeguard/UnitBackup.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

StampSource StampFrom(std::optional<std::uint16_t> stamp) {
  if (!stamp) return SeededWriteStamp();
  return [fixed = *stamp] { return fixed; };
}

int BackupFailed(std::ostream& messages, int status, const std::string& why) {
  messages << BackupFailedLine(why) << '\n';
  return status;
}

// Reads what the unit holds and saves it, before anything is written: the
// raw image as soon as all 64 pages came in, then the configuration file
// when the image passes its checksum and version checks, as Read config
// would show it. A unit not found, in use by another program or whose lock
// cannot be had ends the command as it ends any other (status 1, the link's
// lines say why); any later failure with "Backup failed: ...": status 2 for
// a file that cannot be written, 1 otherwise.
int MakeBackup(const CommandContext& context, DeviceSession& session, const std::string& backup) {
  std::ostream& messages = context.messages;
  ConfigImage image;
  DeviceLink link = session.link();
  if (!link.OpenLink()) return kRefused;
  if (!ReadConfigPages(link, image, session.op)) return BackupFailed(messages, kRefused, kBackupUnreadReason);
  link.CloseLink();
  const BackupFiles files{BackupImageName(backup), backup};
  const BackupResult result = SaveUnitBackup(image, files, session.op, context.clock);
  if (result.outcome == BackupOutcome::Saved) {
    session.op.logLine("Backup saved: " + files.config + ", image " + files.image);
    return kDone;
  }
  if (result.writeError) ReportWriteError(messages, *result.writeError);
  if (!result.conversionError.empty()) messages << result.conversionError << ".\n";
  return BackupFailed(messages, result.writeError ? kUsageOrIo : kRefused, BackupFailureReason(result, files));
}

// Reads the 64 pages back over the open link and compares them with what
// was written; names each page that differs and what its differing bytes hold.
bool VerifyPages(DeviceLink& link, const ConfigImage& written, Operator& op, std::ostream& messages) {
  const VerifyResult result = VerifyWrittenPages(link, written, op);
  if (result.matches()) {
    op.logLine("Verify success: the unit holds the 64 pages written.");
    return true;
  }
  for (const std::string& line : VerifyErrorLines(result)) messages << line << '\n';
  return false;
}

}  // namespace

int WriteCommand(const CommandContext& context, const Arguments& args) {
  ConfigInput file;
  if (std::string error; !OpenConfigInput(args.input, file, error)) throw SetupError{error};
  return RunOnUnit(context, args, [&](DeviceSession& session) -> int {
    DeviceSettings settings(context.clock);
    if (!LoadConfigInput(settings, file, session.op)) return kRefused;
    ConfigImage image;
    if (!EncodeForWrite(settings, image, session.op, context.clock, StampFrom(context.stamp))) return kRefused;
    if (!args.backup.empty())
      if (const int status = MakeBackup(context, session, args.backup); status != kDone) return status;
    DeviceLink link = session.link();
    if (!link.OpenLink() || !WriteConfigPages(link, image, session.op)) return kRefused;
    return !args.verify || VerifyPages(link, image, session.op, context.messages) ? kDone : kRefused;
  });
}

}  // namespace tarnvik::cli
