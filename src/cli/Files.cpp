#include "cli/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "cfgfile/AtomicFile.h"
#include "cfgfile/ConfigFileOps.h"
#include "platform/posix/UniqueFd.h"

namespace tarnvik::cli {

namespace {

// Standard input is duplicated, so that closing the input leaves it open.
UniqueFd OpenInput(const std::string& path) {
  if (path == kStandardInput) return UniqueFd(::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0));
  return UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

bool Unreadable(const std::string& path, std::string& error) {
  error = "Unable to read " + ShownName(path) + ": " + std::strerror(errno);
  return false;
}

// Reads to the end, or until more than `limit` bytes have come.
bool ReadUpTo(int fd, std::size_t limit, std::string& bytes) {
  std::array<char, 64 * 1024> buffer;
  bytes.clear();
  while (bytes.size() <= limit) {
    const ssize_t count = ::read(fd, buffer.data(), std::min(buffer.size(), limit + 1 - bytes.size()));
    if (count == 0) return true;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    bytes.append(buffer.data(), static_cast<std::size_t>(count));
  }
  return true;
}

}  // namespace

std::string ShownName(const std::string& path) { return path == kStandardInput ? "standard input" : path; }

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error) {
  const UniqueFd fd = OpenInput(path);
  std::string content;
  if (!fd.valid() || !ReadUpTo(fd.get(), limit, content)) return Unreadable(path, error);
  bytes.assign(content.begin(), content.end());
  return true;
}

bool OpenConfigInput(const std::string& path, ConfigInput& input, std::string& error) {
  const UniqueFd fd = OpenInput(path);
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0) return Unreadable(path, error);
  input = {path, std::nullopt};
  if (path != kStandardInput && S_ISREG(info.st_mode)) return true;
  std::string content;
  if (!ReadUpTo(fd.get(), kMaxStreamedConfigSize, content)) return Unreadable(path, error);
  if (content.size() > kMaxStreamedConfigSize) {
    error = "Unable to read " + ShownName(path) + ": a configuration file read as a stream may be at most " +
            std::to_string(kMaxStreamedConfigSize >> 20) + " MiB long";
    return false;
  }
  input.content = std::move(content);
  return true;
}

bool LoadConfigInput(DeviceSettings& settings, const ConfigInput& input, Operator& op) {
  return input.content ? LoadConfigText(settings, *input.content, op) : LoadConfigFile(settings, input.path, op);
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  file.write(bytes);
  file.commit();
}

void WriteOutput(const std::string& path, std::string_view bytes, std::ostream& out) {
  if (path == kStandardOutput)
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  else
    WriteWholeFile(path, bytes);
}

std::string BackupImageName(const std::string& backup) {
  const std::filesystem::path path(backup);
  return path.extension() == ".cfg" ? std::filesystem::path(path).replace_extension(".bin").string() : backup + ".bin";
}

}  // namespace tarnvik::cli
