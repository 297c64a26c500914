// Every fault the unit or its cable can show, at the first, a middle and the
// last page of Read config, Write config and Upload firmware: the log line by
// line, the progress bar, what the unit and the settings hold afterwards and
// how long it took (the unit keeps real time, so a time-out takes its time);
// then the same operation and another one, which must work, or say "Tarnvik
// not found." once the unit has been pulled out.
#include <gtest/gtest.h>

#include <chrono>

#include "device/ConfigTransfer.h"
#include "device/FirmwareUpload.h"
#include "device/UnitOnDesk.h"
#include "image/ImageTestSupport.h"
#include "support/FoundLine.h"
#include "support/FreshSettings.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using test::Lines;
using test::PageLines;

using test::kFound;
const std::string kNotFound = "Tarnvik not found.";
constexpr milliseconds kLimit = 50ms;
// What the program's own work may add to its waits on a busy machine; far
// less than the default limit, so a limit not passed on would show.
constexpr milliseconds kSlack = 700ms;
constexpr std::size_t kFirmwareSize = 3190;  // 100 pages, the last one partly filled

enum class Op { Read, Write, Firmware };

struct Operation {
  Op op;
  const char* name;
  std::size_t pages;
  const char* done;
  const char* failed;
};

const Operation kOperations[] = {
    {Op::Read, "ReadConfig", 64, "Page read: ", "Page read error: "},
    {Op::Write, "WriteConfig", 64, "Page written: ", "Page write error: "},
    {Op::Firmware, "UploadFirmware", 100, "Page written: ", "Page write error: "},
};

// How each fault shows: whether the program waited out its limit (and says
// so after the error line), and whether the unit took the page it failed on.
struct FaultCase {
  FaultKind kind;
  bool waitsOnRead;
  bool waitsOnWrite;
  bool unitTookFailedPage;
};

const FaultCase kFaults[] = {
    {FaultKind::NoAnswer, true, true, true},      {FaultKind::LateAnswer, true, true, true},
    {FaultKind::ShortWrite, false, false, false}, {FaultKind::OtherCommand, false, false, true},
    {FaultKind::ShortAnswer, false, false, true}, {FaultKind::WrongSum, false, true, false},
    {FaultKind::Unplug, false, false, false},
};

enum class Where { First, Middle, Last };

[[maybe_unused]] void PrintTo(const Operation& op, std::ostream* out) { *out << op.name; }
[[maybe_unused]] void PrintTo(const FaultCase& fault, std::ostream* out) { *out << FaultName(fault.kind); }
[[maybe_unused]] void PrintTo(Where where, std::ostream* out) {
  *out << (where == Where::First ? "first page" : where == Where::Middle ? "middle page" : "last page");
}

using test::UnitSettings;

DeviceSettings WindowSettings() {
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", "SP9XYZ");
  return settings;
}

bool SamePage(const ConfigImage& a, const ConfigImage& b, std::size_t p) {
  const auto pa = a.page(p), pb = b.page(p);
  return std::equal(pa.begin(), pa.end(), pb.begin());
}

class TransferFault : public ::testing::TestWithParam<std::tuple<Operation, FaultCase, Where>> {
 protected:
  TransferFault() {
    desk.unit->keepRealTime(true);
    desk.unit->setMemory(stored);
    desk.access.exchangeLimit = kLimit;
    for (std::size_t i = 0; i < kFirmwareSize; ++i) firmware.push_back(static_cast<std::uint8_t>(i * 7 + 1));
    test::WriteAll(firmwareFile, std::string(firmware.begin(), firmware.end()));
    firmware.resize(operation().pages * report::kPageBytes, 0);
  }

  const Operation& operation() const { return std::get<0>(GetParam()); }
  const FaultCase& fault() const { return std::get<1>(GetParam()); }
  bool unplugged() const { return fault().kind == FaultKind::Unplug; }
  bool waits() const { return operation().op == Op::Read ? fault().waitsOnRead : fault().waitsOnWrite; }
  // The 1-based counter of the page that fails.
  std::size_t failing() const {
    const Where where = std::get<2>(GetParam());
    const std::size_t pages = operation().pages;
    return where == Where::First ? 1 : where == Where::Middle ? pages / 2 + 1 : pages;
  }

  milliseconds run(Op op) {
    desk.record.log.clear();
    desk.record.boxes.clear();
    const auto start = std::chrono::steady_clock::now();
    switch (op) {
      case Op::Read: ReadConfig(desk.access, readImage, settings); break;
      case Op::Write: WriteConfig(desk.access, settings, writeImage, test::TestClock(), test::FixedStamp()); break;
      case Op::Firmware:
        desk.record.answerFile(firmwareFile);
        UploadFirmwareClick(desk.access, buffer, "/opt/tarnvik/");
        break;
    }
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
  }

  // What Read config says after its pages. A read stopped at the first page
  // leaves a zero image, whose checksum holds but whose version mark the
  // decoder refuses; one stopped in the middle fails the checksum; the last
  // page carries no configuration, so an image stopped there is whole.
  std::vector<std::string> readVerdict() const {
    const std::string again = unplugged() ? kNotFound : kFound;
    if (failing() == 1) return {"Eeprom read error. Please reload configuration.", again};
    if (failing() < 64) return {"Eeprom checksum error. Please reload configuration."};
    return {"Eeprom read success.", again};
  }

  void expectStateAfterFault() const {
    const std::size_t failed = failing() - 1;
    const std::size_t taken = failed + (fault().unitTookFailedPage ? 1 : 0);
    switch (operation().op) {
      case Op::Read:
        for (std::size_t p = 0; p < ConfigImage::kPageCount; ++p)
          EXPECT_TRUE(SamePage(readImage, p < failed ? stored : ConfigImage{}, p)) << "page " << p;
        EXPECT_EQ(test::Differences(settings, failing() == 64 ? UnitSettings() : WindowSettings()),
                  std::vector<std::string>{});
        EXPECT_EQ(desk.unit->memory().bytes, stored.bytes);
        break;
      case Op::Write:
        for (std::size_t p = 0; p < ConfigImage::kPageCount; ++p)
          EXPECT_TRUE(SamePage(desk.unit->memory(), p < taken ? writeImage : stored, p)) << "page " << p;
        break;
      case Op::Firmware:
        EXPECT_EQ(desk.unit->firmware(),
                  std::vector<std::uint8_t>(firmware.begin(), firmware.begin() + taken * report::kPageBytes));
        break;
    }
  }

  // A whole operation: every page, its closing lines, and what it leaves.
  void expectWhole(Op op) {
    switch (op) {
      case Op::Read:
        EXPECT_EQ(desk.record.log,
                  Lines({{kFound}, PageLines("Page read: ", 1, 64, 64), {"Eeprom read success.", kFound}}));
        EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{"Firmware version: 1.04"});
        EXPECT_EQ(readImage.bytes, desk.unit->memory().bytes);
        EXPECT_EQ(test::Differences(settings, onUnit), std::vector<std::string>{});
        break;
      case Op::Write:
        EXPECT_EQ(desk.record.log, Lines({{kFound}, PageLines("Page written: ", 1, 64, 64), {"Eeprom write success"}}));
        EXPECT_EQ(desk.unit->memory().bytes, writeImage.bytes);
        onUnit = settings;
        break;
      case Op::Firmware:
        EXPECT_EQ(desk.record.log,
                  Lines({{kFound}, PageLines("Page written: ", 1, 100, 100), {"Firmware upgrade success"}}));
        EXPECT_EQ(desk.unit->firmware(), firmware);
        break;
    }
    EXPECT_EQ(desk.record.progressPosition, 0);
  }

  test::UnitOnDesk desk;
  test::TempFolder scratch;
  const std::string firmwareFile = scratch.path("fw.bin");
  std::vector<std::uint8_t> firmware;  // the file, padded to whole pages
  FirmwareBuffer buffer;
  const ConfigImage stored = test::EncodeOrFail(UnitSettings());
  DeviceSettings onUnit = UnitSettings();
  DeviceSettings settings = WindowSettings();
  ConfigImage readImage, writeImage;
};

TEST_P(TransferFault, StopsAtItsPageWithinTheLimitAndTheNextOperationsWork) {
  const Operation& op = operation();
  desk.unit->addFault({fault().kind, failing()});
  const milliseconds took = run(op.op);

  std::vector<std::string> expected = Lines(
      {{kFound}, PageLines(op.done, 1, int(failing()) - 1, int(op.pages)), {PageLine(op.failed, failing(), op.pages)}});
  if (waits()) expected.push_back("Tarnvik did not answer within 50 ms.");
  if (op.op == Op::Read) expected = Lines({expected, readVerdict()});
  EXPECT_EQ(desk.record.log, expected);
  EXPECT_EQ(desk.record.progressPosition, int(failing()) - 1);
  const bool versionAsked = op.op == Op::Read && expected.back() == kFound;
  EXPECT_EQ(desk.unit->requestCount(), failing() + (versionAsked ? 1 : 0));  // no retry, no later page
  const milliseconds waited = waits() ? kLimit : 0ms;
  EXPECT_GE(took, waited);
  EXPECT_LT(took, waited + kSlack);
  expectStateAfterFault();

  for (const Op next : {op.op, op.op == Op::Read ? Op::Write : Op::Read}) {
    SCOPED_TRACE(next == op.op ? "the same operation again" : "another operation");
    EXPECT_LT(run(next), kSlack);
    if (unplugged())
      EXPECT_EQ(desk.record.log, std::vector<std::string>{kNotFound});
    else
      expectWhole(next);
  }
}

std::string CaseName(const ::testing::TestParamInfo<TransferFault::ParamType>& info) {
  std::string kind(FaultName(std::get<1>(info.param).kind));
  std::replace(kind.begin(), kind.end(), '-', '_');
  const char* where[] = {"first", "middle", "last"};
  return std::string(std::get<0>(info.param).name) + "_" + kind + "_at_the_" +
         where[static_cast<int>(std::get<2>(info.param))] + "_page";
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, TransferFault,
                         ::testing::Combine(::testing::ValuesIn(kOperations), ::testing::ValuesIn(kFaults),
                                            ::testing::Values(Where::First, Where::Middle, Where::Last)),
                         CaseName);

}  // namespace
}  // namespace tarnvik
