#include "device/simulated/UnitStateFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/OperationError.h"
#include "device/simulated/SimulatedUnit.h"
#include "platform/FileSystem.h"

namespace tarnvik {

namespace {

namespace fs = std::filesystem;

// The most a text file of the folder may hold: far more than anyone writes
// there, little enough that a file linked to an endless device costs nothing.
constexpr std::size_t kMaxText = 64 * 1024;

// Every file the folder may hold, and the folder itself ("").
constexpr const char* kEntries[] = {"",       "memory.bin", "firmware.bin", "version",
                                    "faults", "open-error", "unplugged",    "lock"};

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& why) {
  throw OperationError("Simulated unit: " + path.string() + ": " + why);
}

void CreateIfMissing(const std::filesystem::path& path, const std::string& content) {
  std::string why;
  if (platform::CreateIfAbsent(path.string(), content, why) == platform::CreateOutcome::Failed) Fail(path, why);
}

// A new folder is writable by the caller alone, whatever the umask.
void MakeFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::create_directories(folder, error))
    fs::permissions(folder,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    error);
  if (error || !fs::is_directory(folder)) Fail(folder, error ? error.message() : "not a folder");
}

// The folder as it really is (a link to it is followed) and every file in it.
void CheckOwnership(const fs::path& folder) {
  std::error_code error;
  const fs::path real = fs::canonical(folder, error);
  if (error) Fail(folder, error.message());
  for (const char* name : kEntries) {
    const std::string why = platform::ForeignAccess((*name != '\0' ? real / name : real).string());
    if (!why.empty()) throw OperationError("Simulated unit: " + why);
  }
}

Fault ParseFault(const std::filesystem::path& path, const std::string& line) {
  std::istringstream words(line);
  std::string name;
  long long at = 0;
  words >> name >> at;
  const std::optional<FaultKind> kind = FaultFromName(name);
  if (!kind || at < 1) Fail(path, "expected lines like \"no-answer 5\", not \"" + line + "\"");
  return {*kind, static_cast<std::uint64_t>(at)};
}

}  // namespace

UnitStateFolder::UnitStateFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
  MakeFolder(folder_);
  CheckOwnership(folder_);
  CreateIfMissing(file("memory.bin"), std::string(ConfigImage::kSize, '\0'));
  CreateIfMissing(file("version"), std::to_string(SimulatedUnit::kDefaultVersion) + "\n");
}

std::string UnitStateFolder::text(const char* name, std::size_t limit) const {
  std::ifstream in(file(name), std::ios::binary);
  std::string content(limit + 1, '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(in.gcount()));
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
  if (reason.empty() && std::filesystem::exists(file("open-error"))) reason = "Permission denied";
  return reason;
}

bool UnitStateFolder::unplugged() const { return std::filesystem::exists(file("unplugged")); }

void UnitStateFolder::markUnplugged() const { CreateIfMissing(file("unplugged"), ""); }

void UnitStateFolder::storePage(std::size_t p, PageBytes data) const {
  writeAt("memory.bin", p * data.size(), data, false);
}

void UnitStateFolder::storeFirmwarePage(std::size_t i, PageBytes data) const {
  writeAt("firmware.bin", i * data.size(), data, i == 0);
}

void UnitStateFolder::writeAt(const char* name, std::size_t offset, PageBytes data, bool truncate) const {
  const std::string path = file(name).string();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | (truncate ? O_TRUNC : 0) | O_CLOEXEC, 0644);
  if (fd < 0) Fail(path, std::strerror(errno));
  const ssize_t written = ::pwrite(fd, data.data(), data.size(), static_cast<off_t>(offset));
  const int saved = errno;
  ::close(fd);
  if (written != static_cast<ssize_t>(data.size())) Fail(path, written < 0 ? std::strerror(saved) : "short write");
}

}  // namespace tarnvik
