// Images the unit could hand us, good or garbled: decoding never fails or
// reads astray, and whatever the encoder accepts comes back unchanged.

#include <gtest/gtest.h>

#include <random>

#include "ImageTestSupport.h"
#include "core/OperationError.h"
#include "image/DecodeImage.h"
#include "image/EncodeSettings.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

// Either a fully random configuration area or the default image with a few
// bytes changed; the version mark and checksum always pass.
ConfigImage RandomImage(std::mt19937& rng, const ConfigImage& base) {
  std::uniform_int_distribution<int> byte(0, 255), offset(14, 1395), count(1, 6);
  ConfigImage image = base;
  if (rng() % 4 == 0) {
    for (std::size_t i = 14; i < 1396; ++i) image.bytes[i] = static_cast<std::uint8_t>(byte(rng));
  } else {
    for (int n = count(rng); n > 0; --n) image.bytes[offset(rng)] = static_cast<std::uint8_t>(byte(rng));
  }
  test::FixChecksum(image);
  return image;
}

// Encodes with the fixed stamp; nothing when the encoder refuses or a number
// does not convert.
std::optional<ConfigImage> TryEncode(const DeviceSettings& s) {
  ConfigImage image;
  test::RecordingOperator op;
  try {
    if (EncodeSettings(s, image, op, test::FixedStamp())) return image;
  } catch (const ConversionError&) {
  }
  return std::nullopt;
}

// The encoder writes every callsign, destination and path in upper case.
DeviceSettings UpperCaseCallsigns(DeviceSettings s) {
  for (const SettingDefinition& setting : SettingsTable()) {
    const std::string& name = setting.name;
    if (name != "Callsign" && !name.ends_with("_string") && !name.starts_with("Callfilter_callsign")) continue;
    std::string text = s.text(name);
    for (char& c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    s.setText(name, text);
  }
  return s;
}

DeviceSettings Decode(ConfigImage image) {
  DeviceSettings s = test::FreshSettings();
  test::RecordingOperator op;
  EXPECT_TRUE(CheckImageChecksum(image));
  EXPECT_TRUE(DecodeImage(image, s, op));
  return s;
}

TEST(ImageRoundTrip, RandomImagesDecodeAndReencodeToTheSameSettings) {
  std::mt19937 rng(20260703);
  const ConfigImage base = test::EncodeOrFail(test::FreshSettings());
  int accepted = 0;
  for (int round = 0; round < 600; ++round) {
    const DeviceSettings first = Decode(RandomImage(rng, base));
    const auto image = TryEncode(first);
    if (!image) continue;
    ++accepted;
    const DeviceSettings second = Decode(*image);
    ASSERT_EQ(test::Differences(UpperCaseCallsigns(first), second), std::vector<std::string>{}) << "round " << round;
    const auto again = TryEncode(second);
    ASSERT_TRUE(again.has_value());
    ASSERT_EQ(again->bytes, image->bytes) << "round " << round;
  }
  EXPECT_GT(accepted, 150);  // the property was really exercised
}

}  // namespace
}  // namespace tarnvik
