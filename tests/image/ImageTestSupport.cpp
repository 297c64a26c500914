#include "ImageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "image/EncodeSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik::test {

ConfigImage EncodeOrFail(const DeviceSettings& settings) {
  ConfigImage image;
  RecordingOperator op;
  EXPECT_TRUE(EncodeSettings(settings, image, op, FixedStamp()));
  EXPECT_EQ(op.boxTexts(), std::vector<std::string>{});
  return image;
}

std::string Bytes(const ConfigImage& image, std::size_t offset, std::size_t n) {
  return std::string(image.bytes.begin() + offset, image.bytes.begin() + offset + n);
}

void Put(ConfigImage& image, std::size_t offset, const std::string& text) {
  std::copy(text.begin(), text.end(), image.bytes.begin() + offset);
}

std::string LittleEndian(std::uint32_t value, std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i, value >>= 8) bytes += static_cast<char>(value & 0xFF);
  return bytes;
}

void FixChecksum(ConfigImage& image) { Put(image, 0, LittleEndian(ImageChecksum(image), 4)); }

}  // namespace tarnvik::test
