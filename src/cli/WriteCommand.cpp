// The write command: Read from file, then Write config; on request a backup
// of what the unit held before, and a read-back of what it holds after.
#include <filesystem>
#include <iostream>

#include "cfgfile/ConfigFileOps.h"
#include "cli/Commands.h"
#include "cli/DeviceCommands.h"
#include "cli/DeviceOptions.h"
#include "cli/DeviceSession.h"
#include "cli/Files.h"
#include "device/ConfigTransfer.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "image/EncodeForWrite.h"
#include "image/ImageParts.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPages = ConfigImage::kPageCount;

// The same file, or (for one not yet there) the same path.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code errorA, errorB;
  if (fs::equivalent(a, b, errorA)) return true;
  const fs::path pathA = fs::weakly_canonical(a, errorA), pathB = fs::weakly_canonical(b, errorB);
  return !errorA && !errorB && pathA == pathB;
}

// The backup's raw image lies beside it: the same name with .bin for .cfg.
std::string RawBackupName(const std::string& backup) {
  const fs::path path(backup);
  return path.extension() == ".cfg" ? fs::path(path).replace_extension(".bin").string() : backup + ".bin";
}

void CheckBackupNames(const DeviceArguments& args) {
  if (args.backup.empty()) return;
  for (const std::string& name : {args.backup, RawBackupName(args.backup)})
    if (SameFile(name, args.input))
      throw SetupError{"--backup " + args.backup + " would overwrite the configuration file to write (" + name +
                       "); name another file."};
}

bool BackupFailed(const std::string& why) {
  std::cerr << "Backup failed: " << why << ". Nothing was written to the unit.\n";
  return false;
}

bool ReadUnit(DeviceSession& session, ConfigImage& image) {
  DeviceLink link(session.transport(), session.op, session.limit());
  return link.OpenLink() && ReadConfigPages(link, image, session.op);
}

// Reads what the unit holds and saves it, before anything is written: the
// raw image as soon as all 64 pages came in, then the configuration file
// when the image passes its checksum and version checks, as Read config
// would show it. A file that cannot be written ends the command (status 2).
bool MakeBackup(DeviceSession& session, const std::string& backup) {
  ConfigImage image;
  if (!ReadUnit(session, image)) return BackupFailed("the unit's configuration could not be read");
  const std::string raw = RawBackupName(backup);
  WriteWholeFile(raw, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
  if (!CheckImageChecksum(image))
    return BackupFailed("the unit's configuration fails its checksum (its bytes are kept in " + raw + ")");
  DeviceSettings held(session.clock);
  if (!DecodeImage(image, held, session.op))
    return BackupFailed("the unit's configuration is of another version (its bytes are kept in " + raw + ")");
  SaveConfigFile(held, backup);
  session.op.logLine("Backup saved: " + backup + ", image " + raw);
  return true;
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
bool VerifyPages(DeviceLink& link, const ConfigImage& written, Operator& op) {
  ConfigImage back;
  if (!ReadConfigPages(link, back, op)) {
    std::cerr << "Verify error: the pages written could not be read back.\n";
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
  std::cerr << "Verify error: " << reports.size() << (reports.size() == 1 ? " page of " : " pages of ") << kPages
            << (reports.size() == 1 ? " differs" : " differ") << " from what was written.\n";
  for (const std::string& report : reports) std::cerr << report << '\n';
  return false;
}

}  // namespace

int WriteCommand(const DeviceArguments& args) {
  return GuardedDevice([&] {
    RequireReadable(args.input);
    CheckBackupNames(args);
    DeviceSession session(args);
    DeviceSettings settings(session.clock);
    if (!LoadConfigFile(settings, args.input, session.op)) return kRefused;
    ConfigImage image;
    if (!EncodeForWrite(settings, image, session.op, session.clock, StampFrom(args.stamp))) return kRefused;
    if (!args.backup.empty() && !MakeBackup(session, args.backup)) return kRefused;
    DeviceLink link(session.transport(), session.op, session.limit());
    if (!link.OpenLink() || !WriteConfigPages(link, image, session.op)) return kRefused;
    return !args.verify || VerifyPages(link, image, session.op) ? kDone : kRefused;
  });
}

}  // namespace tarnvik::cli
