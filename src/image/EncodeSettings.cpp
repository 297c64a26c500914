#include "image/EncodeSettings.h"

#include <algorithm>
#include <string_view>

#include "core/AppInfo.h"
#include "core/OperationError.h"
#include "core/Operator.h"
#include "image/FieldEncoder.h"
#include "image/ImageCodec.h"
#include "image/ImageFields.h"

namespace tarnvik {

namespace {

constexpr std::string_view kEndMarker = "END";

}  // namespace

bool EncodeSettings(const DeviceSettings& settings, ConfigImage& writeImage, Operator& op, const StampSource& stamp) {
  writeImage.clear();
  PutText(FieldBytes(writeImage, layout::kConfigVersion), kConfigVersion);
  FieldEncoder encoder(settings, writeImage);
  for (const ImageField& field : ImageFields()) {
    if (const auto refusal = encoder.encode(field)) {
      op.informationBox(*refusal);
      return false;
    }
  }
  FinishImage(writeImage, stamp());
  return true;
}

std::optional<Refusal> FindRefusal(const DeviceSettings& settings) {
  ConfigImage scratch;
  FieldEncoder encoder(settings, scratch);
  for (const ImageField& field : ImageFields()) {
    try {
      if (const auto refusal = encoder.encode(field)) return Refusal{encoder.lastSetting(), *refusal};
    } catch (const ConversionError& error) {
      return Refusal{encoder.lastSetting(), error.what()};
    }
  }
  return std::nullopt;
}

void FinishImage(ConfigImage& image, std::uint16_t stamp) {
  const auto marker = FieldBytes(image, layout::kEndMarker);
  std::copy(kEndMarker.begin(), kEndMarker.end(), marker.begin());
  PutUnsigned(FieldBytes(image, layout::kWriteStamp), stamp);
  const auto checksum = FieldBytes(image, layout::kImageChecksum);
  PutUnsigned(checksum, 0);
  PutUnsigned(checksum, ImageChecksum(image));
}

}  // namespace tarnvik
