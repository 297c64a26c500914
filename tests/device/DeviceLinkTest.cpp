// Finding, opening and talking to the unit: which interface is the unit,
// what is logged, and how an exchange fails.
#include <gtest/gtest.h>

#include <sstream>

#include "device/DeviceLink.h"
#include "device/FirmwareUpload.h"
#include "device/TracingTransport.h"
#include "device/UnitOnDesk.h"
#include "image/ImageTestSupport.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

using test::UnitOnDesk;

std::string Ids(std::initializer_list<const char*> ids) {
  std::string joined;
  for (const char* id : ids) joined += std::string(id) + '\0';
  return joined;
}

TEST(MatchesTarnvik, LooksOnlyAtTheFirstIdentifierIgnoringCaseAndPosition) {
  EXPECT_TRUE(MatchesTarnvik(Ids({"HID\\VID_0483&PID_A04A&REV_0200"})));
  EXPECT_TRUE(MatchesTarnvik(Ids({"usb\\vid_0483&pid_a04a&mi_00"})));
  EXPECT_TRUE(MatchesTarnvik("XVID_0483&PID_A04AX"));  // no zero byte at all
  EXPECT_FALSE(MatchesTarnvik(Ids({"HID\\VID_046D&PID_C31C", "HID\\VID_0483&PID_A04A"})));
  EXPECT_FALSE(MatchesTarnvik(Ids({"HID\\VID_0483&PID_A04B"})));
  EXPECT_FALSE(MatchesTarnvik(Ids({"HID\\VID_0483", "PID_A04A"})));
  EXPECT_FALSE(MatchesTarnvik(""));
}

TEST(DeviceLink, NoUnitLogsNotFoundForEveryOperationAndAsksNothing) {
  UnitOnDesk desk;
  SimulatedTransport keyboardOnly;
  keyboardOnly.addOtherDevice("/dev/hidraw0", Ids({"HID\\VID_046D&PID_C31C"}));
  keyboardOnly.addUnit("/dev/hidraw1", desk.unit, Ids({"HID\\VID_1234&PID_0001", "HID\\VID_0483&PID_A04A"}));
  const DeviceAccess access{keyboardOnly, desk.record};
  ConfigImage image;
  image.bytes.fill(0x55);
  DeviceSettings settings = test::FreshSettings();
  EXPECT_FALSE(ReadConfig(access, image, settings).found);
  EXPECT_EQ(image.bytes, ConfigImage{}.bytes);  // cleared all the same
  EXPECT_FALSE(WriteConfig(access, settings, image, test::TestClock()).found);
  FirmwareBuffer buffer;
  EXPECT_EQ(UploadFirmwareClick(access, buffer, "/opt/tarnvik/"), UploadOutcome::NotFound);
  EXPECT_EQ(desk.record.log, std::vector<std::string>(3, "Tarnvik not found."));
  EXPECT_TRUE(desk.record.fileRequests.empty());
  EXPECT_TRUE(desk.record.boxes.empty());
  EXPECT_EQ(desk.unit->requestCount(), 0u);
}

TEST(DeviceLink, WithTwoUnitsTheFirstListedIsUsed) {
  UnitOnDesk desk;
  auto second = std::make_shared<SimulatedUnit>();
  second->setVersion(200);
  desk.transport.addUnit("/dev/hidraw2", second);
  EXPECT_TRUE(ShowFirmwareVersion(desk.access).shown);
  EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{"Firmware version: 1.04"});
  EXPECT_EQ(desk.unit->requestCount(), 1u);
  EXPECT_EQ(second->requestCount(), 0u);
}

TEST(DeviceLink, ADeviceThatCannotBeOpenedIsNamedWithItsReasonAndEveryExchangeFails) {
  UnitOnDesk desk;
  desk.unit->refuseOpen("Permission denied");
  DeviceLink link(desk.transport, desk.record);
  EXPECT_TRUE(link.OpenLink());
  EXPECT_EQ(desk.record.log, (std::vector<std::string>{
                                 "Tarnvik found, vid: Vid_0483, pid: A04A",
                                 "Tarnvik cannot be opened: /dev/hidraw1: Permission denied. See \"USB access on "
                                 "Linux\" in README.md.",
                             }));
  HidReport response{};
  EXPECT_FALSE(link.ExchangeReport(MakeRequest(Command::FirmwareVersion), response));
  EXPECT_EQ(link.lastFault(), ExchangeFault::NotOpen);
  link.logFaultNote();  // nothing to add: the reason is already logged
  EXPECT_EQ(desk.record.log.size(), 2u);
}

TEST(DeviceLink, AReportLeftWaitingIsNotTakenForTheAnswer) {
  UnitOnDesk desk;
  desk.unit->setVersion(104);
  HidReport stale = MakeRequest(Command::FirmwareVersion);
  PutU32(stale, report::kVersion, 999);
  desk.unit->queueInput(stale);
  desk.unit->queueInput(stale);
  EXPECT_TRUE(ShowFirmwareVersion(desk.access).shown);
  EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{"Firmware version: 1.04"});
}

TEST(DeviceLink, TheTimeLimitInForceIsNamedAndTheTraceShowsEachReport) {
  UnitOnDesk desk;
  desk.unit->addFault({FaultKind::NoAnswer, 2});
  std::ostringstream trace;
  TracingTransport traced(desk.transport, trace);
  const DeviceAccess access{traced, desk.record, std::chrono::milliseconds(250)};
  DeviceSettings settings = test::FreshSettings();
  ConfigImage image;
  WriteConfig(access, settings, image, test::TestClock(), test::FixedStamp());
  EXPECT_EQ(desk.record.log.back(), "Tarnvik did not answer within 250 ms.");
  std::vector<std::string> lines;
  std::istringstream in(trace.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find(' ') + 1));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].substr(0, 14), "> 00 fd 00 00 ");
  std::string answer = "< 00 fd";
  for (int i = 0; i < 63; ++i) answer += " 00";
  EXPECT_EQ(lines[1], answer);
  EXPECT_EQ(lines[2].substr(0, 14), "> 00 fd 01 00 ");
  EXPECT_EQ(lines[3], "< (no answer within 250 ms)");
}

}  // namespace
}  // namespace tarnvik
