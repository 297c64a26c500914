// The hidapi backend's framing and identifiers, without a device.
#include <gtest/gtest.h>

#include <array>

#include "device/DeviceLink.h"
#include "device/hidapi/HidapiFraming.h"

namespace tarnvik::hidapi {
namespace {

TEST(HidapiFraming, EnumerationDataBecomesIdentifiersTheLinkMatches) {
  const std::string ids = HardwareIds(0x0483, 0xa04a, 0x0200);
  EXPECT_EQ(ids, std::string("HID\\VID_0483&PID_A04A&REV_0200") + '\0' + "HID\\VID_0483&PID_A04A" + '\0');
  EXPECT_TRUE(MatchesTarnvik(ids));
  EXPECT_FALSE(MatchesTarnvik(HardwareIds(0x0483, 0xa04b, 0x0200)));
  EXPECT_FALSE(MatchesTarnvik(HardwareIds(0x1483, 0xa04a, 0x0200)));
  EXPECT_EQ(HardwareIds(0xFFFF, 0x0001, 0xFFFF).substr(0, 30), "HID\\VID_FFFF&PID_0001&REV_FFFF");
}

TEST(HidapiFraming, AnInputReportGetsItsReportIdBackInFront) {
  std::array<std::uint8_t, 65> report{};
  report.fill(0x77);
  const HidTransfer whole = FramedRead(64, report, "");
  EXPECT_EQ(whole.status, HidTransfer::Status::Done);
  EXPECT_EQ(whole.length, 65u);
  EXPECT_EQ(report[0], 0);
  EXPECT_EQ(report[1], 0x77);  // the body stays where hidapi put it

  EXPECT_EQ(FramedRead(8, report, "").length, 9u);  // a short report stays short
  EXPECT_EQ(FramedRead(0, report, "").status, HidTransfer::Status::TimedOut);
  const HidTransfer gone = FramedRead(-1, report, "device disconnected");
  EXPECT_EQ(gone.status, HidTransfer::Status::Failed);
  EXPECT_EQ(gone.error, "device disconnected");
}

TEST(HidapiFraming, WriteResultsCountTheReportIdAsHidapiDoes) {
  EXPECT_EQ(WriteResult(65, "").length, 65u);
  EXPECT_EQ(WriteResult(64, "").length, 64u);  // short: the link fails the exchange
  EXPECT_EQ(WriteResult(-1, "Broken pipe").status, HidTransfer::Status::Failed);
}

TEST(HidapiFraming, TimeLimitsNeverBlockForEver) {
  EXPECT_EQ(TimeoutMs(1000), 1000);
  EXPECT_EQ(TimeoutMs(0), 0);
  EXPECT_EQ(TimeoutMs(-1), 0);
  EXPECT_EQ(TimeoutMs(1LL << 40), INT_MAX);
}

TEST(HidapiFraming, ErrorTextsNameThePathOnce) {
  EXPECT_EQ(Narrow(L"Permission denied"), "Permission denied");
  EXPECT_EQ(Narrow(L"caf\u00e9\n"), "caf??");
  EXPECT_EQ(Narrow(nullptr), "");
  EXPECT_EQ(DescribeOpenFailure("/dev/hidraw3", "Permission denied"), "/dev/hidraw3: Permission denied");
  const std::string hidapiText = "Failed to open a device with path '/dev/hidraw3': Permission denied";
  EXPECT_EQ(DescribeOpenFailure("/dev/hidraw3", hidapiText), hidapiText);
  EXPECT_EQ(DescribeOpenFailure("/dev/hidraw3", ""), "/dev/hidraw3: no reason given");
}

}  // namespace
}  // namespace tarnvik::hidapi
