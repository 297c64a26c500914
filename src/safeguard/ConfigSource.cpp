#include "safeguard/ConfigSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "cfgfile/ConfigFileOps.h"
#include "core/Operator.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "platform/PathText.h"

namespace tarnvik {

namespace {

constexpr const char* kChecksumError = "Eeprom checksum error. Please reload configuration.";

ConfigSource Outcome(bool loaded, bool image) {
  return {loaded ? SourceOutcome::Loaded : SourceOutcome::Refused, image};
}

ConfigSource Unreadable(const std::string& path, const std::string& why, Operator& op) {
  op.informationBox("Unable to read " + path + ": " + why + ".");
  return {SourceOutcome::Unreadable, false};
}

std::string LastError() { return errno != 0 ? std::strerror(errno) : "it cannot be read"; }

// The first 2049 bytes at most; nothing when the read failed.
std::optional<std::string> Head(std::ifstream& in) {
  std::string head(ConfigImage::kSize + 1, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  if (in.bad()) return std::nullopt;
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head;
}

}  // namespace

bool LooksLikeImage(std::string_view bytes) {
  return bytes.size() == ConfigImage::kSize && bytes.find('\0') != std::string_view::npos;
}

ConfigSource LoadImageBytes(std::string_view bytes, DeviceSettings& settings, Operator& op) {
  ConfigImage image;
  std::copy_n(bytes.begin(), std::min(bytes.size(), image.bytes.size()), image.bytes.begin());
  if (!CheckImageChecksum(image)) {
    op.informationBox(kChecksumError);
    return Outcome(false, true);
  }
  return Outcome(DecodeImage(image, settings, op), true);
}

// Only the first 2049 bytes are looked at: enough to tell an image, whose
// size is exact, from anything longer.
ConfigSource LoadConfigOrImage(const std::string& path, DeviceSettings& settings, Operator& op) {
  std::error_code error;
  if (std::filesystem::is_directory(platform::PathOf(path), error)) return Unreadable(path, std::strerror(EISDIR), op);
  errno = 0;
  std::ifstream in(platform::PathOf(path), std::ios::binary);
  if (!in) return Unreadable(path, LastError(), op);
  const std::optional<std::string> head = Head(in);
  if (!head) return Unreadable(path, LastError(), op);
  if (LooksLikeImage(*head)) return LoadImageBytes(*head, settings, op);
  return Outcome(LoadConfigFile(settings, path, op), false);
}

ConfigSource LoadFileOrImage(const std::string& path, DeviceSettings& settings, Operator& op) {
  std::ifstream in(platform::PathOf(path), std::ios::binary);
  const std::optional<std::string> head = in ? Head(in) : std::nullopt;
  if (head && LooksLikeImage(*head)) return LoadImageBytes(*head, settings, op);
  return Outcome(LoadConfigFile(settings, path, op), false);
}

}  // namespace tarnvik
