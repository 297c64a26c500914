#include "cli/Files.h"

#include <filesystem>
#include <ostream>

#include "cfgfile/AtomicFile.h"
#include "cfgfile/ConfigFileOps.h"
#include "platform/InputFile.h"
#include "platform/PathText.h"

namespace tarnvik::cli {

namespace {

// Standard input gets a handle of its own, so that closing the input leaves it open.
platform::InputFile OpenInput(const std::string& path) {
  if (path == kStandardInput) return platform::InputFile::StandardInput();
  return platform::InputFile(path, platform::InputFile::Wait::ForWriter);
}

bool Unreadable(const std::string& path, const platform::InputFile& input, std::string& error) {
  error = "Unable to read " + ShownName(path) + ": " + input.error();
  return false;
}

}  // namespace

std::string ShownName(const std::string& path) { return path == kStandardInput ? "standard input" : path; }

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error) {
  platform::InputFile input = OpenInput(path);
  std::string content;
  if (!input.isOpen() || !input.readUpTo(limit, content)) return Unreadable(path, input, error);
  bytes.assign(content.begin(), content.end());
  return true;
}

bool OpenConfigInput(const std::string& path, ConfigInput& input, std::string& error) {
  platform::InputFile file = OpenInput(path);
  if (!file.isOpen()) return Unreadable(path, file, error);
  input = {path, std::nullopt};
  if (path != kStandardInput && file.isRegular()) return true;
  std::string content;
  if (!file.readUpTo(kMaxStreamedConfigSize, content)) return Unreadable(path, file, error);
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
  std::filesystem::path path = platform::PathOf(backup);
  return path.extension() == ".cfg" ? platform::TextOf(path.replace_extension(".bin")) : backup + ".bin";
}

}  // namespace tarnvik::cli
