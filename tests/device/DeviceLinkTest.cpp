// Finding, opening and talking to the unit: which interface is the unit,
// what is logged, and how an exchange fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <utility>

#include "device/DeviceLink.h"
#include "device/FirmwareUpload.h"
#include "device/TracingTransport.h"
#include "device/UnitOnDesk.h"
#include "device/simulated/SimulatedTransport.h"
#include "image/ImageTestSupport.h"
#include "platform/UsbAccess.h"
#include "support/FixedClock.h"
#include "support/FoundLine.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

using test::kFound;
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

// Several units: the first listed is used unless one is chosen by path, and
// the log names the one used when none was chosen.
TEST(DeviceLink, WithSeveralUnitsTheChosenOrTheFirstListedIsUsedAndNamed) {
  struct Case {
    int units;
    UnitChoice choice;
    std::vector<std::string> log;
    int asked;  // 0 none, 1 the first, 2 the second
  };
  const Case cases[] = {
      {2,
       {"", "Choose one with --device."},
       {kFound, "2 units found; using /dev/hidraw1. Choose one with --device.", "Firmware version: 1.04"},
       1},
      {2, {}, {kFound, "2 units found; using /dev/hidraw1.", "Firmware version: 1.04"}, 1},
      {2, {"/dev/hidraw2", "Choose one with --device."}, {kFound, "Firmware version: 2.00"}, 2},
      {2, {"/dev/hidraw1", ""}, {kFound, "Firmware version: 1.04"}, 1},
      {2, {"/dev/hidraw9", ""}, {"Tarnvik not found.", "No Tarnvik at /dev/hidraw9."}, 0},
      {1, {"", "Choose one with --device."}, {kFound, "Firmware version: 1.04"}, 1},
      {1, {"/dev/hidraw0", ""}, {"Tarnvik not found.", "No Tarnvik at /dev/hidraw0."}, 0},  // the keyboard
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.units) + " units, chosen \"" + c.choice.path + "\"");
    UnitOnDesk desk;
    auto second = std::make_shared<SimulatedUnit>();
    second->setVersion(200);
    if (c.units == 2) desk.transport.addUnit("/dev/hidraw2", second);
    desk.access.choice = c.choice;
    ShowFirmwareVersion(desk.access);
    std::vector<std::string> said = desk.record.log;
    for (const std::string& box : desk.record.boxTexts()) said.push_back(box);
    EXPECT_EQ(said, c.log);
    EXPECT_EQ(desk.unit->requestCount(), c.asked == 1 ? 1u : 0u);
    EXPECT_EQ(second->requestCount(), c.asked == 2 ? 1u : 0u);
  }
}

// Some HID stacks hand over only the bytes the device sent: a report of 1 to
// 64 data bytes is taken with the rest as zeros (whatever the buffer held),
// its length noted in the trace; a report without a data byte is refused.
TEST(DeviceLink, AShortAnswerIsTakenWithTheRestAsZeros) {
  // Answers the version query with `length` bytes, the buffer beyond them left dirty.
  class Answering : public HidConnection {
   public:
    explicit Answering(std::size_t length) : length_(length) {}
    HidTransfer write(std::span<const std::uint8_t> report) override {
      asked_ = true;
      return HidTransfer::done(report.size());
    }
    HidTransfer read(std::span<std::uint8_t> report, std::chrono::milliseconds) override {
      if (!std::exchange(asked_, false)) return HidTransfer::timedOut();  // nothing waiting before the request
      std::fill(report.begin(), report.end(), 0xAA);                      // beyond what came: left as it was
      std::fill_n(report.begin(), std::min(length_, report.size()), 0);
      const std::uint8_t answer[] = {0x00, 0xFB, 0x68, 0x01};
      std::copy_n(answer, std::min(length_, sizeof answer), report.begin());
      return HidTransfer::done(length_);
    }

   private:
    std::size_t length_;
    bool asked_ = false;
  };
  class OneDevice : public HidTransport {
   public:
    explicit OneDevice(std::size_t length) : length_(length) {}
    std::vector<HidInterface> enumerate() override { return {{"/dev/hidraw5", kUnitHardwareIds}}; }
    Opened open(const std::string&) override { return {std::make_unique<Answering>(length_), {}}; }

   private:
    std::size_t length_;
  };
  const struct {
    std::size_t length;
    bool taken;
    std::uint32_t version;
    const char* note;
  } cases[] = {
      {0, false, 0, " (0 of 65 bytes)"},   {1, false, 0, " (1 of 65 bytes)"},      {2, true, 0, " (2 of 65 bytes)"},
      {3, true, 0x68, " (3 of 65 bytes)"}, {33, true, 0x168, " (33 of 65 bytes)"}, {65, true, 0x168, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("answer of " + std::to_string(c.length) + " bytes");
    OneDevice device(c.length);
    std::ostringstream trace;
    TracingTransport traced(device, trace);
    test::RecordingOperator record;
    DeviceLink link(traced, record);
    ASSERT_TRUE(link.OpenLink());
    HidReport response{};
    EXPECT_EQ(link.ExchangeReport(MakeRequest(Command::FirmwareVersion), response), c.taken);
    if (c.taken) {
      EXPECT_EQ(GetU32(response, report::kVersion), c.version);
      EXPECT_TRUE(std::all_of(response.begin() + std::ptrdiff_t(std::min<std::size_t>(c.length, 6)), response.end(),
                              [](std::uint8_t b) { return b == 0; }));
    } else {
      EXPECT_EQ(link.lastFault(), ExchangeFault::ShortRead);
    }
    const std::string text = trace.str();
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;  // the request and its answer
    EXPECT_TRUE(text.ends_with(std::string(c.note) + "\n")) << text;
  }
}

// A unit behind such a stack: every answer cut after its last byte that is
// not zero, and Read config still reads the unit whole.
TEST(DeviceLink, ReadConfigThroughAStackThatTrimsEveryAnswer) {
  UnitOnDesk desk;
  const ConfigImage stored = test::EncodeOrFail(test::FreshSettings());
  desk.unit->setMemory(stored);
  for (std::uint64_t request = 1; request <= 65; ++request) desk.unit->addFault({FaultKind::TrimmedAnswer, request});
  DeviceSettings settings = test::FreshSettings();
  ConfigImage image;
  const ReadConfigOutcome outcome = ReadConfig(desk.access, image, settings);
  EXPECT_TRUE(outcome.allPages && outcome.decoded && outcome.versionShown);
  EXPECT_EQ(image.bytes, stored.bytes);
  EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{"Firmware version: 1.04"});
}

TEST(DeviceLink, ADeviceThatCannotBeOpenedIsNamedWithItsReasonAndEveryExchangeFails) {
  UnitOnDesk desk;
  desk.unit->refuseOpen("Permission denied");
  DeviceLink link(desk.transport, desk.record);
  EXPECT_TRUE(link.OpenLink());
  EXPECT_EQ(desk.record.log, (std::vector<std::string>{
                                 "Tarnvik found, vid: Vid_0483, pid: A04A",
                                 "Tarnvik cannot be opened: /dev/hidraw1: Permission denied. See \"" +
                                     std::string(platform::UsbAccessSection()) + "\" in " +
                                     std::string(platform::UsbAccessReadme()) + ".",
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
