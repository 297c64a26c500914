#include "device/simulated/UnitStateFolder.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "core/OperationError.h"
#include "device/simulated/SimulatedUnit.h"
#include "platform/FileSystem.h"
#include "platform/InputFile.h"
#include "platform/PathText.h"

namespace tarnvik {

namespace {

namespace fs = std::filesystem;
using platform::PathOf;
using platform::TextOf;

// The most a text file of the folder may hold: far more than anyone writes
// there, little enough that a file linked to an endless device costs nothing.
constexpr std::size_t kMaxText = 64 * 1024;

// Every file the folder may hold, and the folder itself ("").
constexpr const char* kEntries[] = {"",           "memory.bin", "firmware.bin", "version", "faults",
                                    "open-error", "serial",     "unplugged",    "lock"};

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw OperationError("Simulated unit: " + path + ": " + why);
}

void CreateIfMissing(const std::string& path, const std::string& content) {
  std::string why;
  if (platform::CreateIfAbsent(path, content, why) == platform::CreateOutcome::Failed) Fail(path, why);
}

// A new folder is writable by the caller alone, whatever the umask.
void MakeFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::create_directories(folder, error))
    fs::permissions(folder,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    error);
  if (error || !fs::is_directory(folder)) Fail(TextOf(folder), error ? error.message() : "not a folder");
}

// A file of the folder that is there must be a regular file (a link to one
// counts): a named pipe would hold the program until someone writes or reads
// it, a device would read without end. Looked at without opening it.
void CheckRegular(const std::string& path) {
  const platform::FileStatus status = platform::StatusOf(path, platform::Links::Follow);
  if (status.kind == platform::FileStatus::Kind::Unknown) Fail(path, status.error);
  if (status.kind != platform::FileStatus::Kind::Missing && status.kind != platform::FileStatus::Kind::Regular)
    Fail(path, platform::kNotRegular);
}

// The folder as it really is (a link to it is followed) and every file in it.
void CheckOwnership(const fs::path& folder) {
  std::error_code error;
  const fs::path real = fs::canonical(folder, error);
  if (error) Fail(TextOf(folder), error.message());
  for (const char* name : kEntries) {
    const std::string why = platform::ForeignAccess(TextOf(*name != '\0' ? real / name : real));
    if (!why.empty()) throw OperationError("Simulated unit: " + why);
    if (*name != '\0') CheckRegular(TextOf(folder / name));
  }
}

Fault ParseFault(const std::string& path, const std::string& line) {
  std::istringstream words(line);
  std::string name;
  long long at = 0;
  words >> name >> at;
  const std::optional<FaultKind> kind = FaultFromName(name);
  if (!kind || at < 1) Fail(path, "expected lines like \"no-answer 5\", not \"" + line + "\"");
  return {*kind, static_cast<std::uint64_t>(at)};
}

}  // namespace

UnitStateFolder::UnitStateFolder(const std::string& folder) : folder_(PathOf(folder)) {
  MakeFolder(folder_);
  CheckOwnership(folder_);
  CreateIfMissing(file("memory.bin"), std::string(ConfigImage::kSize, '\0'));
  CreateIfMissing(file("version"), std::to_string(SimulatedUnit::kDefaultVersion) + "\n");
}

std::string UnitStateFolder::file(const char* name) const { return TextOf(folder_ / name); }

// A file that cannot be opened is taken as missing. A named pipe put in its
// place since the folder was checked opens at once and is refused.
std::string UnitStateFolder::text(const char* name, std::size_t limit) const {
  platform::InputFile in(file(name), platform::InputFile::Wait::No);
  std::string content;
  if (in.isOpen() && !in.isRegular()) Fail(file(name), platform::kNotRegular);
  if (in.isOpen() && !in.readUpTo(limit, content)) Fail(file(name), in.error());
  if (content.size() > limit) Fail(file(name), "may hold at most " + std::to_string(limit) + " bytes");
  return content;
}

ConfigImage UnitStateFolder::memory() const {
  const std::string bytes = text("memory.bin", ConfigImage::kSize);
  if (bytes.size() != ConfigImage::kSize) Fail(file("memory.bin"), "must hold exactly 2048 bytes");
  ConfigImage image;
  std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
  return image;
}

std::uint32_t UnitStateFolder::version() const {
  std::istringstream in(text("version", kMaxText));
  unsigned long long value = 0;
  if (!(in >> value) || value > UINT32_MAX) Fail(file("version"), "expected a whole number from 0 to 4294967295");
  return static_cast<std::uint32_t>(value);
}

std::vector<Fault> UnitStateFolder::faults() const {
  std::vector<Fault> faults;
  std::istringstream lines(text("faults", kMaxText));
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    faults.push_back(ParseFault(file("faults"), line));
  }
  return faults;
}

std::string UnitStateFolder::openRefusal() const {
  std::string reason = text("open-error", kMaxText);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
  if (reason.empty() && fs::exists(folder_ / "open-error")) reason = "Permission denied";
  return reason;
}

std::string UnitStateFolder::serial() const {
  std::string line = text("serial", kMaxText);
  line = line.substr(0, std::min(line.find_first_of("\r\n"), std::size_t{64}));
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

bool UnitStateFolder::unplugged() const { return fs::exists(folder_ / "unplugged"); }

void UnitStateFolder::markUnplugged() const { CreateIfMissing(file("unplugged"), ""); }

void UnitStateFolder::storePage(std::size_t p, PageBytes data) const {
  writeAt("memory.bin", p * data.size(), data, false);
}

void UnitStateFolder::storeFirmwarePage(std::size_t i, PageBytes data) const {
  writeAt("firmware.bin", i * data.size(), data, i == 0);
}

void UnitStateFolder::writeAt(const char* name, std::size_t offset, PageBytes data, bool truncate) const {
  std::string why;
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  if (!platform::WriteAt(file(name), offset, bytes, truncate, why)) Fail(file(name), why);
}

}  // namespace tarnvik
