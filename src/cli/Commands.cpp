#include "cli/Commands.h"

#include <ostream>
#include <vector>

#include "app/OperationError.h"
#include "cfgfile/ConfigFileOps.h"
#include "cli/CliOperator.h"
#include "cli/OutputFile.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "image/EncodeSettings.h"
#include "image/WriteStamp.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

int Fail(const CommandContext& context, int status, const std::string& message) {
  context.messages << message << '\n';
  return status;
}

bool Readable(const std::string& path, std::string& error) {
  std::vector<std::uint8_t> ignored;
  return ReadBytes(path, ignored, 0, error);
}

// Encodes as "Write config" does: the PC clock first when it is uploaded.
// Throws ConversionError for a number text that does not convert.
bool Encode(const CommandContext& context, DeviceSettings& settings, ConfigImage& image, CliOperator& op) {
  if (settings.flag("Uploadpctime")) CopyPcClock(settings, context.clock);
  if (context.stamp) {
    const std::uint16_t stamp = *context.stamp;
    return EncodeSettings(settings, image, op, [stamp] { return stamp; });
  }
  return EncodeSettings(settings, image, op);
}

// Reads and encodes a configuration file; the image is valid on kDone.
int ReadAndEncode(const CommandContext& context, const std::string& input, ConfigImage& image) {
  std::string error;
  if (!Readable(input, error)) return Fail(context, kUsageOrIo, error);
  CliOperator op(context.messages);
  DeviceSettings settings(context.clock);
  try {
    if (!LoadConfigFile(settings, input, op)) return kRefused;  // not a file of this program
    if (!Encode(context, settings, image, op)) return kRefused;
  } catch (const ConversionError& conversion) {
    return Fail(context, kRefused, std::string(conversion.what()) + ".");
  }
  return kDone;
}

int SaveSettings(const CommandContext& context, const DeviceSettings& settings, const std::string& output) {
  std::string error;
  const auto save = [&settings](const std::string& path) { SaveConfigFile(settings, path); };
  return ReplaceFile(output, save, error) ? kDone : Fail(context, kUsageOrIo, error);
}

}  // namespace

int WriteDefaults(const CommandContext& context, const std::string& output) {
  const DeviceSettings settings(context.clock);
  return SaveSettings(context, settings, output);
}

int CheckFile(const CommandContext& context, const std::string& input) {
  ConfigImage image;
  const int status = ReadAndEncode(context, input, image);
  if (status == kDone) context.out << "OK\n";
  return status;
}

int EncodeFile(const CommandContext& context, const std::string& input, const std::string& output) {
  ConfigImage image;
  const int status = ReadAndEncode(context, input, image);
  if (status != kDone) return status;
  const std::vector<std::uint8_t> bytes(image.bytes.begin(), image.bytes.end());
  std::string error;
  const auto write = [&bytes](const std::string& path) { WriteBytes(path, bytes); };
  return ReplaceFile(output, write, error) ? kDone : Fail(context, kUsageOrIo, error);
}

int DecodeImageFile(const CommandContext& context, const std::string& input, const std::string& output) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadBytes(input, bytes, ConfigImage::kSize, error)) return Fail(context, kUsageOrIo, error);
  if (bytes.size() != ConfigImage::kSize)
    return Fail(context, kUsageOrIo,
                input + " is not a configuration image: an image is exactly 2048 bytes long" +
                    (bytes.size() < ConfigImage::kSize ? ", this file holds " + std::to_string(bytes.size()) + "."
                                                       : ", this file is longer."));
  ConfigImage image;
  std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
  if (!CheckImageChecksum(image)) return Fail(context, kRefused, "Eeprom checksum error. Please reload configuration.");
  CliOperator op(context.messages);
  DeviceSettings settings(context.clock);
  if (!DecodeImage(image, settings, op)) return kRefused;
  return SaveSettings(context, settings, output);
}

}  // namespace tarnvik::cli
