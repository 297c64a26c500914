// The write command: Read from file, then Write config; on request a backup
// of what the unit held before, and a read-back of what it holds after.
#include <functional>
#include <optional>
#include <ostream>

#include "cfgfile/ConfigFileOps.h"
#include "cli/Arguments.h"
#include "cli/CommandGuard.h"
#include "cli/Commands.h"
#include "cli/DeviceCommands.h"
#include "cli/DeviceSession.h"
#include "cli/Files.h"
#include "core/OperationError.h"
#include "device/ConfigTransfer.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "image/EncodeForWrite.h"
#include "image/ImageParts.h"
#include "image/WriteStamp.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

constexpr std::size_t kPages = ConfigImage::kPageCount;

StampSource StampFrom(std::optional<std::uint16_t> stamp) {
  if (!stamp) return SeededWriteStamp();
  return [fixed = *stamp] { return fixed; };
}

int BackupFailed(std::ostream& messages, int status, const std::string& why) {
  messages << "Backup failed: " << why << ". Nothing was written to the unit.\n";
  return status;
}

bool ReadUnit(DeviceSession& session, ConfigImage& image) {
  DeviceLink link = session.link();
  return link.OpenLink() && ReadConfigPages(link, image, session.op);
}

// Saves a file of the backup; on failure says why, as the guard would, and
// gives the status the backup ends with (kDone when saved).
int SaveBackupFile(std::ostream& messages, const std::function<void()>& save) {
  try {
    save();
    return kDone;
  } catch (const FileWriteError& error) {
    ReportWriteError(messages, error);
    return kUsageOrIo;
  } catch (const ConversionError& error) {
    messages << error.what() << ".\n";
    return kRefused;
  }
}

// Reads what the unit holds and saves it, before anything is written: the
// raw image as soon as all 64 pages came in, then the configuration file
// when the image passes its checksum and version checks, as Read config
// would show it. Any failure ends the command with "Backup failed: ...":
// status 2 for a file that cannot be written, 1 otherwise.
int MakeBackup(const CommandContext& context, DeviceSession& session, const std::string& backup) {
  std::ostream& messages = context.messages;
  ConfigImage image;
  if (!ReadUnit(session, image)) return BackupFailed(messages, kRefused, "the unit's configuration could not be read");
  const std::string raw = BackupImageName(backup);
  const std::string_view bytes(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size());
  if (const int status = SaveBackupFile(messages, [&] { WriteWholeFile(raw, bytes); }); status != kDone)
    return BackupFailed(messages, status, "the unit's image could not be saved to " + raw);
  const std::string kept = " (its bytes are kept in " + raw + ")";
  if (!CheckImageChecksum(image))
    return BackupFailed(messages, kRefused, "the unit's configuration fails its checksum" + kept);
  DeviceSettings held(context.clock);
  if (!DecodeImage(image, held, session.op))
    return BackupFailed(messages, kRefused, "the unit's configuration is of another version" + kept);
  if (const int status = SaveBackupFile(messages, [&] { SaveConfigFile(held, backup); }); status != kDone)
    return BackupFailed(messages, status,
                        (status == kRefused ? "the unit's configuration holds a number a configuration file cannot hold"
                                            : "the unit's configuration could not be saved to " + backup) +
                            kept);
  session.op.logLine("Backup saved: " + backup + ", image " + raw);
  return kDone;
}

std::vector<std::size_t> DifferingBytes(const ConfigImage& written, const ConfigImage& back, std::size_t page) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = page * ConfigImage::kPageSize; i < (page + 1) * ConfigImage::kPageSize; ++i)
    if (written.bytes[i] != back.bytes[i]) offsets.push_back(i);
  return offsets;
}

std::string PageReport(std::size_t page, const std::vector<std::size_t>& offsets) {
  std::string line = PageLine("Page ", page + 1, kPages) + " (bytes " + std::to_string(page * ConfigImage::kPageSize) +
                     " to " + std::to_string((page + 1) * ConfigImage::kPageSize - 1) + "):";
  const std::vector<std::string> parts = ImagePartsAt(offsets);
  for (std::size_t i = 0; i < parts.size(); ++i) line += (i == 0 ? " " : ", ") + parts[i];
  return line;
}

// Reads the 64 pages back over the open link and compares them with what
// was written; names each page that differs and what its differing bytes hold.
bool VerifyPages(DeviceLink& link, const ConfigImage& written, Operator& op, std::ostream& messages) {
  ConfigImage back;
  if (!ReadConfigPages(link, back, op)) {
    messages << "Verify error: the pages written could not be read back.\n";
    return false;
  }
  std::vector<std::string> reports;
  for (std::size_t page = 0; page < kPages; ++page)
    if (const auto offsets = DifferingBytes(written, back, page); !offsets.empty())
      reports.push_back(PageReport(page, offsets));
  if (reports.empty()) {
    op.logLine("Verify success: the unit holds the 64 pages written.");
    return true;
  }
  messages << "Verify error: " << reports.size() << (reports.size() == 1 ? " page of " : " pages of ") << kPages
           << (reports.size() == 1 ? " differs" : " differ") << " from what was written.\n";
  for (const std::string& report : reports) messages << report << '\n';
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
