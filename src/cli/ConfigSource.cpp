#include "cli/ConfigSource.h"

#include <ostream>
#include <vector>

#include "cli/CliOperator.h"
#include "cli/Commands.h"
#include "cli/Files.h"
#include "image/ConfigImage.h"

namespace tarnvik::cli {

namespace {

ConfigSource Unreadable(const CommandContext& context, const std::string& error) {
  context.messages << error << '\n';
  return {SourceOutcome::Unreadable, false};
}

ConfigSource LoadFile(const CommandContext& context, const ConfigInput& input, DeviceSettings& settings) {
  CliOperator op(context.messages);
  const bool ours = LoadConfigInput(settings, input, op);
  return {ours ? SourceOutcome::Loaded : SourceOutcome::Refused, false};
}

ConfigSource LoadImage(const CommandContext& context, std::string_view bytes, DeviceSettings& settings) {
  CliOperator op(context.messages);
  return LoadImageBytes(bytes, settings, op);
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
