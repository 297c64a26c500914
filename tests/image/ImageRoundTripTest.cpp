// Images the unit could hand us, good or garbled: decoding never fails or
// reads astray, and whatever the encoder accepts comes back unchanged. And
// settings the operator could type: what the encoder accepts decodes to the
// same settings, but for the normalisations of the image.

#include <gtest/gtest.h>

#include <random>

#include "ImageTestSupport.h"
#include "core/OperationError.h"
#include "image/DecodeImage.h"
#include "image/EncodeSettings.h"
#include "image/ImageFields.h"
#include "support/DecodedForm.h"
#include "support/FreshSettings.h"
#include "support/RandomSettings.h"
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
  for (int round = 0; round < 200; ++round) {
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
  EXPECT_GT(accepted, 50);  // the property was really exercised
}

// What the encoder makes of the decoded settings: the same image, but a path
// of blanks only, which was stored with its SSID, comes back as an empty path
// and is stored with SSID "0".
ConfigImage ImageOfDecoded(ConfigImage image, const DeviceSettings& s) {
  for (const ImageField& field : ImageFields()) {
    const std::string& path = field.kind == FieldKind::Address ? s.text(field.setting) : std::string();
    if (path.empty() || path.find_first_not_of(' ') != std::string::npos) continue;
    image.bytes[field.pos.offset + layout::kCallsignChars] = '0';
  }
  test::FixChecksum(image);
  return image;
}

// Encode, decode, encode: the settings come back as AsDecoded says (upper-case
// callsigns, space padding, plain decimal numbers cut to their field, the SSID
// of an empty path as 0) and the second image equals the first byte for byte
// but for paths of blanks only.
TEST(ImageRoundTrip, RandomValidSettingsComeBackAsTheImageKeepsThem) {
  std::mt19937 rng(4711);
  for (int round = 0; round < 300; ++round) {
    const DeviceSettings s = test::RandomValidSettings(rng);
    const ConfigImage image = test::EncodeOrFail(s);
    ASSERT_FALSE(HasFailure()) << "round " << round << ": valid settings refused";

    // Uploadpctime and the clock are the window's own, not the image's.
    DeviceSettings decoded = test::FreshSettings();
    decoded.setFlag("Uploadpctime", s.flag("Uploadpctime"));
    for (const char* field : kClockFields) decoded.setText(field, s.text(field));
    ConfigImage read = image;
    test::RecordingOperator op;
    ASSERT_TRUE(DecodeImage(read, decoded, op));
    ASSERT_EQ(test::Differences(test::AsDecoded(s), decoded, test::Compare{.clock = true, .enabled = true}),
              std::vector<std::string>{})
        << "round " << round;
    ASSERT_EQ(test::EncodeOrFail(decoded).bytes, ImageOfDecoded(image, s).bytes) << "round " << round;
  }
}

}  // namespace
}  // namespace tarnvik
