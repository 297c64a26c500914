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

namespace tarnvik {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& why) {
  throw OperationError("Simulated unit: " + path.string() + ": " + why);
}

void CreateIfMissing(const std::filesystem::path& path, const std::string& content) {
  if (std::filesystem::exists(path)) return;
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out.flush()) Fail(path, std::strerror(errno));
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
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error || !std::filesystem::is_directory(folder_)) Fail(folder_, error ? error.message() : "not a folder");
  CreateIfMissing(file("memory.bin"), std::string(ConfigImage::kSize, '\0'));
  CreateIfMissing(file("version"), std::to_string(SimulatedUnit::kDefaultVersion) + "\n");
}

std::string UnitStateFolder::text(const char* name) const {
  std::ifstream in(file(name), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

ConfigImage UnitStateFolder::memory() const {
  const std::string bytes = text("memory.bin");
  if (bytes.size() != ConfigImage::kSize) Fail(file("memory.bin"), "must hold exactly 2048 bytes");
  ConfigImage image;
  std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
  return image;
}

std::uint32_t UnitStateFolder::version() const {
  std::istringstream in(text("version"));
  unsigned long long value = 0;
  if (!(in >> value) || value > UINT32_MAX) Fail(file("version"), "expected a whole number from 0 to 4294967295");
  return static_cast<std::uint32_t>(value);
}

std::vector<Fault> UnitStateFolder::faults() const {
  std::vector<Fault> faults;
  std::istringstream lines(text("faults"));
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    faults.push_back(ParseFault(file("faults"), line));
  }
  return faults;
}

std::string UnitStateFolder::openRefusal() const {
  std::string reason = text("open-error");
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
