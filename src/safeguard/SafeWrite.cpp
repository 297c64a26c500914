#include "safeguard/SafeWrite.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/Operator.h"
#include "core/SilentOperator.h"
#include "device/ConfigTransfer.h"
#include "device/UnitSession.h"
#include "device/WriteVerify.h"
#include "image/ConfigImage.h"
#include "image/EncodeForWrite.h"
#include "safeguard/BackupFolder.h"
#include "safeguard/UnitBackup.h"
#include "safeguard/WriteWarnings.h"

namespace tarnvik {

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

// Lines in the log, and the same in one information box.
void Report(Operator& op, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) op.logLine(line);
  op.informationBox(Joined(lines));
}

bool BackupFailed(Operator& op, const std::string& why, const std::optional<FileWriteError>& error = std::nullopt) {
  std::vector<std::string> lines{BackupFailedLine(why)};
  if (error)
    lines.push_back(std::string(error->what()) + (error->reason().empty() ? "." : ": " + error->reason() + "."));
  Report(op, lines);
  return false;
}

// What a backup of the image alone holds, and why no configuration file.
const char* ImageOnlyLine(BackupOutcome outcome) {
  switch (outcome) {
    case BackupOutcome::Damaged: return "The unit's configuration fails its checksum: the backup holds its image only.";
    case BackupOutcome::OtherVersion:
      return "The unit holds another configuration version: the backup holds its image only.";
    case BackupOutcome::NumberNotKept:
      return "The unit's configuration holds a number a configuration file cannot hold: the backup holds its image "
             "only.";
    default: return nullptr;
  }
}

// Saves `held` in the backup folder and names the file in `made`; false
// (with the lines that say why) when the write must not go ahead.
bool SaveBackup(const ConfigImage& held, const BackupFolder& backups, const PcClock& clock, Operator& op,
                std::string& made) {
  if (IsBlankImage(held)) {
    op.logLine("The unit is blank: it is written without a backup.");
    return true;
  }
  if (backups.path().empty()) return BackupFailed(op, "there is no folder for backups (no home folder)");
  BackupFiles files;
  try {
    backups.make();
    files = backups.newNames(clock(), held);
  } catch (const FileWriteError& error) {
    return BackupFailed(op, "the folder for backups could not be made", error);
  }
  SilentOperator quiet;  // the log line after the decoding tells what became of the backup
  const BackupResult result = SaveUnitBackup(held, files, quiet, clock);
  if (result.writeError)  // a file of the backup could not be written
    return BackupFailed(op, BackupFailureReason(result, files), result.writeError);
  made = result.outcome == BackupOutcome::Saved ? files.config : files.image;
  op.logLine("Backup of the unit: " + made);
  if (const char* line = ImageOnlyLine(result.outcome)) op.logLine(line);
  backups.prune(BackupFolder::kKeptBackups, files);
  return true;
}

// Only pages that came whole count: zeros made up for a short answer would
// make a configured unit look blank, and a blank unit gets no backup.
bool Backup(DeviceLink& link, const BackupFolder& backups, const PcClock& clock, Operator& op, std::string& made) {
  ConfigImage held;
  if (!ReadWholeConfigPages(link, held, op)) return BackupFailed(op, kBackupUnreadReason);
  return SaveBackup(held, backups, clock, op, made);
}

// The unit found is the one the window last read or wrote, or the operator
// wants it written all the same.
bool MeantUnit(const HidInterface& now, const HidInterface* last, Operator& op) {
  if (last == nullptr || SameUnit(now, *last) || op.askYesNo(OtherUnitQuestion(now, *last))) return true;
  op.logLine(kWriteDeclinedLine);
  return false;
}

// The pages stopped part way: the bar goes back to the start, and the log
// and an error box say what the unit holds now and where its old
// configuration is.
void ReportCutOff(Operator& op, const std::string& backup) {
  const FileMessage message = PartialWriteMessage(backup);
  const std::string text = message.bytes();
  for (std::size_t start = 0, end; start <= text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    op.logLine(text.substr(start, end - start));
  }
  op.progressReset();
  op.fileErrorBox(message);
}

bool Verify(DeviceLink& link, const ConfigImage& written, Operator& op) {
  const VerifyResult result = VerifyWrittenPages(link, written, op);
  if (result.matches())
    op.logLine(kVerifySuccessLine);
  else
    Report(op, VerifyErrorLines(result));
  return result.matches();
}

}  // namespace

SafeWriteOutcome WriteConfigSafely(const DeviceAccess& given, DeviceSettings& settings, ConfigImage& writeImage,
                                   const PcClock& clock, const BackupFolder& backups, const HidInterface* lastUnit,
                                   const StampSource& stamp) {
  UnitSession units(given.transport);
  const DeviceAccess access = HeldAccess(given, units);
  SafeWriteOutcome outcome;
  outcome.encoded = EncodeForWrite(settings, writeImage, access.op, clock, stamp);
  if (!outcome.encoded) return outcome;
  DeviceLink link = LinkFor(access);
  outcome.found = link.OpenLink();
  if (!outcome.found) return outcome;
  outcome.unit = link.unit();
  outcome.declined = !MeantUnit(outcome.unit, lastUnit, access.op);
  if (outcome.declined) return outcome;
  outcome.backedUp = Backup(link, backups, clock, access.op, outcome.backup);
  if (!outcome.backedUp) return outcome;
  outcome.allPages = WriteConfigPages(link, writeImage, access.op);
  if (outcome.allPages)
    outcome.verified = Verify(link, writeImage, access.op);
  else
    ReportCutOff(access.op, outcome.backup);
  return outcome;
}

}  // namespace tarnvik
