// The 64-page transfers of the configuration memory: every line and progress
// step, and how each kind of fault ends a transfer at its page.
#include <gtest/gtest.h>

#include "device/ConfigTransfer.h"
#include "device/DeviceLink.h"
#include "device/UnitOnDesk.h"
#include "image/ImageTestSupport.h"

namespace tarnvik {
namespace {

using test::Lines;
using test::PageLines;
using test::UnitOnDesk;

const std::string kFound = "Tarnvik found, vid: Vid_0483, pid: A04A";
const std::string kNoAnswer = "Tarnvik did not answer within 1000 ms.";

ConfigImage Filled(std::uint8_t value) {
  ConfigImage image;
  image.bytes.fill(value);
  return image;
}

bool SamePage(const ConfigImage& a, const ConfigImage& b, std::size_t p) {
  const auto pa = a.page(p), pb = b.page(p);
  return std::equal(pa.begin(), pa.end(), pb.begin());
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

// How each fault shows: the extra line after the page error line, and
// whether the unit took the page it failed on.
struct FaultCase {
  FaultKind kind;
  bool noAnswerLineOnRead;
  bool noAnswerLineOnWrite;
  bool unitTookFailedPage;
};

const FaultCase kFaultCases[] = {
    {FaultKind::NoAnswer, true, true, true},      {FaultKind::LateAnswer, true, true, true},
    {FaultKind::ShortWrite, false, false, false}, {FaultKind::OtherCommand, false, false, true},
    {FaultKind::WrongSum, false, true, false},    {FaultKind::Unplug, false, false, false},
};

class PageFault : public ::testing::TestWithParam<std::tuple<FaultCase, int>> {
 protected:
  FaultCase fault() const { return std::get<0>(GetParam()); }
  int failing() const { return std::get<1>(GetParam()); }  // 1-based page counter
  std::size_t failedPage() const { return static_cast<std::size_t>(failing() - 1); }

  UnitOnDesk desk;
};

TEST_P(PageFault, EndsTheReadAtThatPageWithItsLineAndNoMore) {
  const ConfigImage stored = test::EncodeOrFail(test::FreshSettings());
  desk.unit->setMemory(stored);
  desk.unit->addFault({fault().kind, static_cast<std::uint64_t>(failing())});
  DeviceLink link(desk.transport, desk.record);
  ASSERT_TRUE(link.OpenLink());
  ConfigImage image;
  EXPECT_FALSE(ReadConfigPages(link, image, desk.record));
  std::vector<std::string> expected =
      Lines({{kFound}, PageLines("Page read: ", 1, failing() - 1, 64), {PageLine("Page read error: ", failing(), 64)}});
  if (fault().noAnswerLineOnRead) expected.push_back(kNoAnswer);
  EXPECT_EQ(desk.record.log, expected);
  EXPECT_EQ(desk.record.progressPosition, failing() - 1);
  for (std::size_t p = 0; p < ConfigImage::kPageCount; ++p)
    EXPECT_TRUE(SamePage(image, p < failedPage() ? stored : ConfigImage{}, p)) << "page " << p;
  EXPECT_EQ(desk.unit->requestCount(), static_cast<std::uint64_t>(failing()));
}

TEST_P(PageFault, EndsTheWriteAtThatPageAndSendsNoLaterPage) {
  const ConfigImage old = Filled(0xA5);
  desk.unit->setMemory(old);
  desk.unit->addFault({fault().kind, static_cast<std::uint64_t>(failing())});
  const ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  DeviceLink link(desk.transport, desk.record);
  ASSERT_TRUE(link.OpenLink());
  EXPECT_FALSE(WriteConfigPages(link, image, desk.record));
  std::vector<std::string> expected = Lines(
      {{kFound}, PageLines("Page written: ", 1, failing() - 1, 64), {PageLine("Page write error: ", failing(), 64)}});
  if (fault().noAnswerLineOnWrite) expected.push_back(kNoAnswer);
  EXPECT_EQ(desk.record.log, expected);
  EXPECT_EQ(desk.record.progressPosition, failing() - 1);
  const ConfigImage& memory = desk.unit->memory();
  for (std::size_t p = 0; p < ConfigImage::kPageCount; ++p) {
    const bool taken = p < failedPage() || (p == failedPage() && fault().unitTookFailedPage);
    EXPECT_TRUE(SamePage(memory, taken ? image : old, p)) << "page " << p;
  }
}

std::string FaultCaseName(const ::testing::TestParamInfo<PageFault::ParamType>& info) {
  std::string name(FaultName(std::get<0>(info.param).kind));
  std::replace(name.begin(), name.end(), '-', '_');
  return name + "_at_page_" + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PageFault,
                         ::testing::Combine(::testing::ValuesIn(kFaultCases), ::testing::Values(1, 33, 64)),
                         FaultCaseName);

}  // namespace
}  // namespace tarnvik
