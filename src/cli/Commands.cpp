#include "cli/Commands.h"

#include <ostream>
#include <string_view>
#include <vector>

#include "cfgfile/ConfigFileOps.h"
#include "cli/CliOperator.h"
#include "cli/Files.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "image/EncodeForWrite.h"
#include "image/WriteStamp.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

int Fail(const CommandContext& context, int status, const std::string& message) {
  context.messages << message << '\n';
  return status;
}

// Encodes as "Write config" does. A number text that does not convert throws
// ConversionError, which the tool's guard reports as a refusal.
bool Encode(const CommandContext& context, DeviceSettings& settings, ConfigImage& image, CliOperator& op) {
  if (!context.stamp) return EncodeForWrite(settings, image, op, context.clock);
  const std::uint16_t stamp = *context.stamp;
  return EncodeForWrite(settings, image, op, context.clock, [stamp] { return stamp; });
}

// Reads and encodes a configuration file; the image is valid on kDone.
int ReadAndEncode(const CommandContext& context, const std::string& input, ConfigImage& image) {
  ConfigInput file;
  std::string error;
  if (!OpenConfigInput(input, file, error)) return Fail(context, kUsageOrIo, error);
  CliOperator op(context.messages);
  DeviceSettings settings(context.clock);
  const bool ours = LoadConfigInput(settings, file, op);
  if (!ours) return kRefused;  // not a file of this program
  if (!Encode(context, settings, image, op)) return kRefused;
  return kDone;
}

}  // namespace

// Output files are written only once everything has succeeded, as a whole.
// A failure throws FileWriteError, which the tool's guard reports.
int SaveSettings(const CommandContext& context, const DeviceSettings& settings, const std::string& output) {
  if (output == kStandardOutput)
    context.out << ConfigFileText(settings);
  else
    SaveConfigFile(settings, output);
  return kDone;
}

namespace {}  // namespace

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
  const std::string_view bytes(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size());
  WriteOutput(output, bytes, context.out);
  return kDone;
}

int DecodeImageFile(const CommandContext& context, const std::string& input, const std::string& output) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadBytes(input, bytes, ConfigImage::kSize, error)) return Fail(context, kUsageOrIo, error);
  if (bytes.size() != ConfigImage::kSize)
    return Fail(context, kRefused,
                ShownName(input) + " is not a configuration image: an image is exactly 2048 bytes long" +
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
