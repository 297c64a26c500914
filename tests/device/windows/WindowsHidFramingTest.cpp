// The Windows HID backend's pure parts: hardware identifiers as the setup
// API hands them over, report frames, wait limits and failure texts.
#include <gtest/gtest.h>

#include <numeric>

#include "device/DeviceLink.h"
#include "device/windows/WindowsHidFraming.h"

namespace tarnvik::winhid {
namespace {

std::u16string MultiString(std::initializer_list<std::u16string_view> texts, int finalZeros = 1) {
  std::u16string value;
  for (const std::u16string_view text : texts) (value += text) += u'\0';
  value.append(static_cast<std::size_t>(finalZeros), u'\0');
  return value;
}

std::string Ids(std::initializer_list<const char*> ids) {
  std::string joined;
  for (const char* id : ids) joined += std::string(id) + '\0';
  return joined;
}

TEST(WindowsHidFraming, RegistryMultiStringsBecomeTheIdentifiersTheLinkMatches) {
  const std::u16string unitRev = u"HID\\VID_0483&PID_A04A&REV_0200";
  const std::u16string unit = u"HID\\VID_0483&PID_A04A";
  struct Case {
    const char* what;
    std::u16string value;
    std::string ids;
    bool isUnit;
  };
  const Case cases[] = {
      {"the unit as Windows lists it",
       MultiString({unitRev, unit, u"HID_DEVICE_SYSTEM_VENDOR", u"HID_DEVICE_UP:FF00_U:0001", u"HID_DEVICE"}),
       Ids({"HID\\VID_0483&PID_A04A&REV_0200", "HID\\VID_0483&PID_A04A", "HID_DEVICE_SYSTEM_VENDOR",
            "HID_DEVICE_UP:FF00_U:0001", "HID_DEVICE"}),
       true},
      {"one collection of several", MultiString({u"HID\\VID_0483&PID_A04A&REV_0200&Col02", unit}),
       Ids({"HID\\VID_0483&PID_A04A&REV_0200&Col02", "HID\\VID_0483&PID_A04A"}), true},
      {"lower case", MultiString({u"hid\\vid_0483&pid_a04a"}), Ids({"hid\\vid_0483&pid_a04a"}), true},
      {"no final empty text", MultiString({unitRev, unit}, 0),
       Ids({"HID\\VID_0483&PID_A04A&REV_0200", "HID\\VID_0483&PID_A04A"}), true},
      {"the last text cut short", unitRev + u'\0' + u"HID\\VID_04",
       Ids({"HID\\VID_0483&PID_A04A&REV_0200", "HID\\VID_04"}), true},
      {"what follows the end is not read", MultiString({unitRev}) + u"HID_GARBAGE",
       Ids({"HID\\VID_0483&PID_A04A&REV_0200"}), true},
      {"a keyboard", MultiString({u"HID\\VID_046D&PID_C31C&REV_6400", u"HID\\VID_046D&PID_C31C"}),
       Ids({"HID\\VID_046D&PID_C31C&REV_6400", "HID\\VID_046D&PID_C31C"}), false},
      {"the unit only as a later identifier", MultiString({u"HID\\VID_1234&PID_0001", unit}),
       Ids({"HID\\VID_1234&PID_0001", "HID\\VID_0483&PID_A04A"}), false},
      {"another product of the vendor", MultiString({u"HID\\VID_0483&PID_A04B"}), Ids({"HID\\VID_0483&PID_A04B"}),
       false},
      {"empty list", MultiString({}), "", false},
      {"no data", u"", "", false},
  };
  for (const Case& c : cases) {
    const std::string ids = HardwareIdsFromMultiString(c.value);
    EXPECT_EQ(ids, c.ids) << c.what;
    EXPECT_EQ(MatchesTarnvik(ids), c.isUnit) << c.what;
  }
}

TEST(WindowsHidFraming, SerialNumbersEndAtTheirZeroAndShowAsHidapiShowsThem) {
  const struct {
    std::u16string value;
    std::string serial;
  } cases[] = {
      {std::u16string(u"0034001F3436\0garbage", 20), "0034001F3436"},
      {u"0034001F3436", "0034001F3436"},  // filling the buffer, with no zero
      {u"A\u00E9\u914D\tB", "A???B"},
      {std::u16string(8, u'\0'), ""},
      {u"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SerialFromUtf16(c.value), c.serial);
}

TEST(WindowsHidFraming, FramesKeepTheReportIdAndTheDevicesLengths) {
  std::vector<std::uint8_t> report(kReportSize);
  std::iota(report.begin(), report.end(), std::uint8_t{0});  // byte 0 is the report id 0
  struct Case {
    std::size_t reportSize;
    std::size_t deviceLength;
    std::size_t frameSize;
  };
  const Case cases[] = {
      {65, 65, 65},  // the unit
      {65, 0, 65},   // a device that gave no lengths: the unit's
      {9, 65, 65},   // a short report is padded: the driver refuses less than the output length
      {65, 9, 65},   // a longer report goes out whole
  };
  for (const Case& c : cases) {
    const std::span<const std::uint8_t> given = std::span<const std::uint8_t>(report).first(c.reportSize);
    const std::vector<std::uint8_t> frame = OutputFrame(given, FrameLength(c.deviceLength));
    ASSERT_EQ(frame.size(), c.frameSize) << c.reportSize << " " << c.deviceLength;
    EXPECT_TRUE(std::equal(given.begin(), given.end(), frame.begin()));
    EXPECT_TRUE(std::all_of(frame.begin() + static_cast<std::ptrdiff_t>(c.reportSize), frame.end(),
                            [](std::uint8_t b) { return b == 0; }));
  }
  EXPECT_EQ(WriteDone(65, 65).length, 65u);
  EXPECT_EQ(WriteDone(65, 9).length, 9u);    // counted like the report given
  EXPECT_EQ(WriteDone(64, 65).length, 64u);  // a short write stays visible to the link
  EXPECT_EQ(WriteDone(0, 65).status, HidTransfer::Status::Done);
}

TEST(WindowsHidFraming, ReadsLandWholeOrAsFarAsTheyFit) {
  std::vector<std::uint8_t> received(70);
  std::iota(received.begin(), received.end(), std::uint8_t{1});
  for (const std::size_t size : {std::size_t{65}, std::size_t{8}, std::size_t{70}, std::size_t{0}}) {
    HidReport report{};
    const HidTransfer got = ReadDone(std::span<const std::uint8_t>(received).first(size), report);
    const std::size_t landed = std::min(size, kReportSize);
    EXPECT_EQ(got.status, HidTransfer::Status::Done);
    EXPECT_EQ(got.length, landed) << size;
    EXPECT_TRUE(std::equal(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(landed), received.begin()));
    EXPECT_TRUE(std::all_of(report.begin() + static_cast<std::ptrdiff_t>(landed), report.end(),
                            [](std::uint8_t b) { return b == 0; }));
  }
}

TEST(WindowsHidFraming, WaitsAreBoundedAndNeverForEver) {
  using std::chrono::milliseconds;
  EXPECT_EQ(WaitMs(milliseconds(1000)), 1000u);
  EXPECT_EQ(WaitMs(milliseconds(0)), 0u);
  EXPECT_EQ(WaitMs(milliseconds(-5)), 0u);
  EXPECT_EQ(WaitMs(milliseconds(0xFFFFFFFFLL)), 0xFFFFFFFEu);  // 0xFFFFFFFF would wait for ever
  EXPECT_EQ(WaitMs(milliseconds(1LL << 40)), 0xFFFFFFFEu);
}

TEST(WindowsHidFraming, FailuresCarryTheSystemsMessageAndCode) {
  EXPECT_EQ(SystemErrorText(5, u"Access is denied.\r\n"), "Access is denied (error 5)");
  EXPECT_EQ(SystemErrorText(1167, u"The device is not connected.\r\n"), "The device is not connected (error 1167)");
  EXPECT_EQ(SystemErrorText(5, u"Acc\u00E8s refus\u00E9.\r\n"), "Acc\xC3\xA8s refus\xC3\xA9 (error 5)");
  EXPECT_EQ(SystemErrorText(0xE0000203, u""), "error 3758096899");  // the setup API's codes have no message
  EXPECT_EQ(SystemErrorText(31, u" . \r\n"), "error 31");
  const std::string path = "\\\\?\\hid#vid_0483&pid_a04a#7&2b3c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  EXPECT_EQ(DescribeOpenFailure(path, "Access is denied (error 5)"), path + ": Access is denied (error 5)");
  EXPECT_EQ(DescribeOpenFailure(path, ""), path + ": no reason given");
}

}  // namespace
}  // namespace tarnvik::winhid
