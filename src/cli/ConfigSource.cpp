#include "cli/ConfigSource.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "cli/CliOperator.h"
#include "cli/Commands.h"
#include "cli/Files.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"

namespace tarnvik::cli {

namespace {

constexpr const char* kChecksumError = "Eeprom checksum error. Please reload configuration.";

bool LooksLikeImage(std::string_view bytes) {
  return bytes.size() == ConfigImage::kSize && bytes.find('\0') != std::string_view::npos;
}

ConfigSource Done(SourceOutcome outcome, bool image) { return {outcome, image}; }

ConfigSource Unreadable(const CommandContext& context, const std::string& error) {
  context.messages << error << '\n';
  return Done(SourceOutcome::Unreadable, false);
}

ConfigSource LoadImage(const CommandContext& context, std::string_view bytes, DeviceSettings& settings) {
  ConfigImage image;
  std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
  if (!CheckImageChecksum(image)) {
    context.messages << kChecksumError << '\n';
    return Done(SourceOutcome::Refused, true);
  }
  CliOperator op(context.messages);
  return Done(DecodeImage(image, settings, op) ? SourceOutcome::Loaded : SourceOutcome::Refused, true);
}

ConfigSource LoadFile(const CommandContext& context, const ConfigInput& input, DeviceSettings& settings) {
  CliOperator op(context.messages);
  const bool ours = LoadConfigInput(settings, input, op);
  return Done(ours ? SourceOutcome::Loaded : SourceOutcome::Refused, false);
}

}  // namespace

ConfigSource LoadConfigSource(const CommandContext& context, const std::string& input, DeviceSettings& settings) {
  ConfigInput source;
  std::string error;
  if (!OpenConfigInput(input, source, error)) return Unreadable(context, error);
  if (source.content) {
    if (LooksLikeImage(*source.content)) return LoadImage(context, *source.content, settings);
    return LoadFile(context, source, settings);
  }
  std::vector<std::uint8_t> head;
  if (!ReadBytes(input, head, ConfigImage::kSize, error)) return Unreadable(context, error);
  const std::string_view bytes(reinterpret_cast<const char*>(head.data()), head.size());
  if (LooksLikeImage(bytes)) return LoadImage(context, bytes, settings);
  return LoadFile(context, source, settings);
}

}  // namespace tarnvik::cli
