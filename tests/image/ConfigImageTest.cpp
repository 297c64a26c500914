#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "ImageTestSupport.h"
#include "image/ImageFields.h"
#include "image/WriteStamp.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

TEST(ConfigImagePages, AreThirtyTwoByteWindowsOntoTheImage) {
  ConfigImage image;
  image.page(0)[0] = 1;
  image.page(1)[0] = 2;
  image.page(63)[31] = 3;
  EXPECT_EQ(image.bytes[0], 1);
  EXPECT_EQ(image.bytes[32], 2);
  EXPECT_EQ(image.bytes[2047], 3);
  const ConfigImage& view = image;
  EXPECT_EQ(view.page(1).data(), image.bytes.data() + 32);
  EXPECT_THROW(image.page(64), std::out_of_range);
  image.clear();
  EXPECT_EQ(test::Bytes(image, 0, 2048), std::string(2048, '\0'));
}

TEST(ImageChecksum, CoversBytesFourTo1395Only) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  ASSERT_TRUE(CheckImageChecksum(image));
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    ConfigImage changed = image;
    changed.bytes[i] ^= 0x5A;
    EXPECT_EQ(CheckImageChecksum(changed), i >= 1396) << "offset " << i;
  }
}

TEST(ImageChecksum, AllZeroPassesAndTheLargestSumDoesNotWrap) {
  ConfigImage image;
  EXPECT_TRUE(CheckImageChecksum(image));
  for (std::size_t i = 4; i < 1396; ++i) image.bytes[i] = 0xFF;
  test::Put(image, 0, test::LittleEndian(354960, 4));
  EXPECT_TRUE(CheckImageChecksum(image));
}

TEST(WriteStamp, DrawsFromTheClassicGeneratorModuloTenThousand) {
  // Seed 1 gives 16838, 5758, 10113, 17515 from the 15-bit generator.
  const StampSource stamp = WriteStampFrom(1);
  EXPECT_EQ(stamp(), 6838);
  EXPECT_EQ(stamp(), 5758);
  EXPECT_EQ(stamp(), 113);
  EXPECT_EQ(stamp(), 7515);
  const StampSource seeded = SeededWriteStamp();
  for (int i = 0; i < 1000; ++i) EXPECT_LT(seeded(), 10000);
}

// Reserved bytes of the memory map: they stay zero and no setting claims them.
std::set<std::size_t> ReservedBytes() {
  std::set<std::size_t> reserved{22, 23, 33, 34, 35, 67, 83, 86, 87, 121, 122, 123, 967, 1009, 1012, 1013, 1030, 1031};
  for (int n = 0; n < 8; ++n) reserved.insert({144 + 84 * std::size_t(n) + 16, 144 + 84 * std::size_t(n) + 17});
  return reserved;
}

TEST(ImageFieldTable, ClaimsEveryMapByteOnceAndNoReservedByte) {
  std::vector<int> claims(ConfigImage::kSize, 0);
  for (const ImageField& field : ImageFields())
    for (std::size_t i = field.pos.offset; i < field.pos.end(); ++i) ++claims[i];
  const std::set<std::size_t> reserved = ReservedBytes();
  for (std::size_t i = 14; i < 1393; ++i) EXPECT_EQ(claims[i], reserved.count(i) ? 0 : 1) << "offset " << i;
  for (std::size_t i : {0, 13, 1393, 1396, 2047}) EXPECT_EQ(claims[i], 0) << "offset " << i;
}

}  // namespace
}  // namespace tarnvik
