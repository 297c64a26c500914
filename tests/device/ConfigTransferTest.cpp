// The 64-page transfers of the configuration memory: every line and progress
// step of a whole transfer, and the bytes on the wire. How each kind of fault
// ends a transfer at its page is in the transfer fault matrix.
#include <gtest/gtest.h>

#include "device/ConfigTransfer.h"
#include "device/DeviceLink.h"
#include "device/UnitOnDesk.h"
#include "image/ImageTestSupport.h"
#include "support/FoundLine.h"

namespace tarnvik {
namespace {

using test::Lines;
using test::PageLines;
using test::UnitOnDesk;

using test::kFound;

ConfigImage Filled(std::uint8_t value) {
  ConfigImage image;
  image.bytes.fill(value);
  return image;
}

TEST(ConfigTransfer, ACompleteWriteLogsEveryPageThenSuccessAndResetsTheBar) {
  UnitOnDesk desk;
  const ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  DeviceLink link(desk.transport, desk.record);
  ASSERT_TRUE(link.OpenLink());
  EXPECT_TRUE(WriteConfigPages(link, image, desk.record));
  EXPECT_EQ(desk.record.log, Lines({{kFound}, PageLines("Page written: ", 1, 64, 64), {"Eeprom write success"}}));
  EXPECT_EQ(desk.record.progressMaximum, 64);
  EXPECT_EQ(desk.record.progressPosition, 0);
  EXPECT_EQ(desk.unit->memory().bytes, image.bytes);
  EXPECT_EQ(desk.unit->requestCount(), 64u);  // one exchange per page, nothing else
}

TEST(ConfigTransfer, ACompleteReadLogsEveryPageAndNothingMore) {
  UnitOnDesk desk;
  desk.unit->setMemory(test::EncodeOrFail(test::FreshSettings()));
  DeviceLink link(desk.transport, desk.record);
  ASSERT_TRUE(link.OpenLink());
  ConfigImage image;
  EXPECT_TRUE(ReadConfigPages(link, image, desk.record));
  EXPECT_EQ(desk.record.log, Lines({{kFound}, PageLines("Page read: ", 1, 64, 64)}));
  EXPECT_EQ(desk.record.progressPosition, 0);
  EXPECT_EQ(image.bytes, desk.unit->memory().bytes);
}

TEST(ConfigTransfer, APageOfAllOnesTravelsWithTheSumE01F) {
  UnitOnDesk desk;
  desk.unit->keepRequests(true);
  const ConfigImage ones = Filled(0xFF);
  DeviceLink link(desk.transport, desk.record);
  ASSERT_TRUE(link.OpenLink());
  ASSERT_TRUE(WritePage(link, 7, ones.page(7)));
  const HidReport& sent = desk.unit->requests().at(0);
  EXPECT_EQ(sent[0], 0x00);
  EXPECT_EQ(sent[1], 0xFD);
  EXPECT_EQ(sent[2], 7);
  EXPECT_EQ(sent[3], 0);
  EXPECT_EQ(sent[36], 0xE0);
  EXPECT_EQ(sent[37], 0x1F);
  EXPECT_TRUE(std::all_of(sent.begin() + 38, sent.end(), [](std::uint8_t b) { return b == 0; }));
  // And back: the unit's answer carries the same sum, which the reader checks.
  std::array<std::uint8_t, 32> back{};
  EXPECT_TRUE(ReadPage(link, 7, back));
  EXPECT_TRUE(std::all_of(back.begin(), back.end(), [](std::uint8_t b) { return b == 0xFF; }));
}

}  // namespace
}  // namespace tarnvik
