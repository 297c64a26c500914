#include "app/WindowFiles.h"

#include <filesystem>

#include "app/OffThread.h"
#include "cfgfile/ConfigFileOps.h"
#include "core/Operator.h"
#include "platform/PathText.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

namespace fs = std::filesystem;

// The folder of a file, with its trailing separator; empty when it has none.
std::string FolderOf(const std::string& file) {
  std::error_code error;
  const fs::path folder = fs::absolute(platform::PathOf(file), error).parent_path();
  if (error || folder.empty()) return {};
  return platform::TextOf(folder / "");
}

// A file that a save would replace (a folder is no file: the save fails).
bool Exists(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(platform::PathOf(path), error);
  return fs::exists(status) && !fs::is_directory(status);
}

}  // namespace

WindowFiles::WindowFiles(DeviceSettings& settings, Operator& op, std::function<bool(const std::string&)> askReplace,
                         std::string executableFolder)
    : settings_(settings),
      op_(op),
      askReplace_(std::move(askReplace)),
      executableFolder_(std::move(executableFolder)) {}

std::string WindowFiles::folderForSave(const std::string& current) const {
  const std::string folder = FolderOf(current.empty() ? lastUsed_ : current);
  return folder.empty() ? ConfigFolder(executableFolder_) : folder;
}

std::optional<std::string> WindowFiles::saveAs(const std::string& current) {
  const std::string name = current.empty() ? kDefaultConfigName : current;
  const auto chosen =
      op_.chooseFile({FileRequest::Mode::Save, folderForSave(current), name, kConfigFileFilter, "Save to file"});
  if (!chosen || (Exists(*chosen) && !askReplace_(*chosen))) return std::nullopt;
  write(*chosen);
  return chosen;
}

std::optional<std::string> WindowFiles::save(const std::string& current) {
  if (current.empty()) return saveAs(current);
  write(current);
  return current;
}

// The save works on a copy: the window's settings stay the window thread's.
void WindowFiles::write(const std::string& path) {
  const DeviceSettings copy(settings_);
  RunOffThread([&] { SaveConfigFile(copy, path); });
  lastUsed_ = path;
}

std::optional<std::string> WindowFiles::chooseToRead() {
  const std::string folder = ConfigFolder(executableFolder_);
  const auto chosen =
      op_.chooseFile({FileRequest::Mode::Open, folder, lastRead_, kConfigOrImageFilter, "Read from file"});
  if (chosen) lastRead_ = *chosen;
  return chosen;
}

ConfigSource WindowFiles::read(const std::string& path) {
  lastRead_ = path;
  const ConfigSource source = LoadFileOrImage(path, settings_, op_);
  if (source.outcome == SourceOutcome::Loaded) lastUsed_ = path;
  return source;
}

}  // namespace tarnvik
