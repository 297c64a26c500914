// Read config, Write config and the version query as the operator sees them:
// the whole log, the boxes, what reaches the unit and what the settings show.
#include <gtest/gtest.h>

#include "core/OperationError.h"
#include "device/ConfigTransfer.h"
#include "device/UnitOnDesk.h"
#include "image/ImageLayout.h"
#include "image/ImageTestSupport.h"
#include "support/FixedClock.h"
#include "support/FoundLine.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

using test::Lines;
using test::PageLines;
using test::UnitOnDesk;

using test::kFound;
const std::string kChecksumError = "Eeprom checksum error. Please reload configuration.";
const std::string kReadError = "Eeprom read error. Please reload configuration.";

using test::UnitSettings;

class DeviceOperations : public ::testing::Test {
 protected:
  ReadConfigOutcome read() { return ReadConfig(desk.access, readImage, settings); }
  WriteConfigOutcome write() {
    return WriteConfig(desk.access, settings, writeImage, test::TestClock(), test::FixedStamp());
  }
  std::uint32_t storedClock(std::size_t field) const {
    const std::size_t at = layout::kClockStart + field * layout::kClockFieldSize;
    const auto& bytes = desk.unit->memory().bytes;
    return std::uint32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
  }

  UnitOnDesk desk;
  DeviceSettings settings = test::FreshSettings();
  ConfigImage readImage, writeImage;
};

TEST_F(DeviceOperations, ASuccessfulReadShowsTheUnitsSettingsThenItsVersion) {
  desk.unit->setMemory(test::EncodeOrFail(UnitSettings()));
  const ReadConfigOutcome outcome = read();
  EXPECT_TRUE(outcome.found && outcome.allPages && outcome.checksumOk && outcome.decoded && outcome.versionShown);
  EXPECT_EQ(desk.record.log, Lines({{kFound}, PageLines("Page read: ", 1, 64, 64), {"Eeprom read success.", kFound}}));
  ASSERT_EQ(desk.record.boxes.size(), 1u);
  EXPECT_EQ(desk.record.boxes[0].kind, test::Box::Kind::Plain);
  EXPECT_EQ(desk.record.boxes[0].text, "Firmware version: 1.04");
  EXPECT_EQ(test::Differences(settings, UnitSettings()), std::vector<std::string>{});
  EXPECT_EQ(desk.unit->requestCount(), 65u);
}

TEST_F(DeviceOperations, AFailedFirstPageLeavesAZeroImageThatTheDecoderRefusesAndTheVersionIsStillAsked) {
  desk.unit->setMemory(test::EncodeOrFail(UnitSettings()));
  desk.unit->addFault({FaultKind::OtherCommand, 1});
  const ReadConfigOutcome outcome = read();
  EXPECT_TRUE(outcome.checksumOk);
  EXPECT_FALSE(outcome.decoded);
  EXPECT_TRUE(outcome.versionShown);
  EXPECT_EQ(readImage.bytes, ConfigImage{}.bytes);
  EXPECT_EQ(desk.record.log, (std::vector<std::string>{kFound, "Page read error: 1/64", kReadError, kFound}));
  ASSERT_EQ(desk.record.boxes.size(), 2u);
  EXPECT_EQ(desk.record.boxes[0].kind, test::Box::Kind::Information);
  EXPECT_EQ(desk.record.boxes[0].text, "Uncompatible configuration version:\nDevice: \nConfigurator: v1.04");
  EXPECT_EQ(desk.record.boxes[1].text, "Firmware version: 1.04");
  EXPECT_EQ(test::Differences(settings, test::FreshSettings()), std::vector<std::string>{});
}

TEST_F(DeviceOperations, ABadChecksumChangesNoSettingAndAsksNoVersion) {
  ConfigImage damaged = test::EncodeOrFail(UnitSettings());
  damaged.bytes[100] ^= 0x40;
  desk.unit->setMemory(damaged);
  const ReadConfigOutcome outcome = read();
  EXPECT_TRUE(outcome.allPages);
  EXPECT_FALSE(outcome.checksumOk);
  EXPECT_EQ(desk.record.log.back(), kChecksumError);
  EXPECT_EQ(desk.record.log.size(), 66u);
  EXPECT_TRUE(desk.record.boxes.empty());
  EXPECT_EQ(desk.unit->requestCount(), 64u);
  EXPECT_EQ(test::Differences(settings, test::FreshSettings()), std::vector<std::string>{});
}

TEST_F(DeviceOperations, VersionsAreShownAsHundredthsWithTwoDecimals) {
  for (const std::uint32_t value : {0u, 104u, 12345u, 4294967295u}) {
    desk.unit->setVersion(value);
    EXPECT_TRUE(ShowFirmwareVersion(desk.access).shown);
  }
  EXPECT_EQ(desk.record.boxTexts(),
            (std::vector<std::string>{"Firmware version: 0.00", "Firmware version: 1.04", "Firmware version: 123.45",
                                      "Firmware version: 42949672.95"}));
}

TEST_F(DeviceOperations, AVersionQueryWithoutAnswerSaysNothing) {
  desk.unit->addFault({FaultKind::NoAnswer, 1});
  const VersionOutcome outcome = ShowFirmwareVersion(desk.access);
  EXPECT_TRUE(outcome.found);
  EXPECT_FALSE(outcome.shown);
  EXPECT_EQ(outcome.fault, ExchangeFault::NoAnswer);
  EXPECT_EQ(desk.record.log, std::vector<std::string>{kFound});
  EXPECT_TRUE(desk.record.boxes.empty());
}

TEST_F(DeviceOperations, WriteSendsTheClockAsLeftWhenThePcTimeIsNotToBeUploaded) {
  settings.setFlag("Uploadpctime", false);
  settings.setText("Rtcyear", "2030");
  settings.setText("Rtchour", "17");
  EXPECT_TRUE(write().allPages);
  EXPECT_EQ(storedClock(0), 2030u);
  EXPECT_EQ(storedClock(3), 17u);
  EXPECT_EQ(desk.unit->memory().bytes, writeImage.bytes);
  EXPECT_EQ(desk.record.log, Lines({{kFound}, PageLines("Page written: ", 1, 64, 64), {"Eeprom write success"}}));

  settings.setFlag("Uploadpctime", true);
  settings.setText("Rtcyear", "2030");
  EXPECT_TRUE(write().allPages);
  EXPECT_EQ(storedClock(0), 2026u);  // the PC clock, in UTC
  EXPECT_EQ(storedClock(3), 9u);
}

TEST_F(DeviceOperations, ARefusedSettingReachesNeitherTheLogNorTheUnit) {
  settings.setText("Txdelay", "100");
  const WriteConfigOutcome outcome = write();
  EXPECT_FALSE(outcome.encoded);
  EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{"TX delay - range error (200 - 1000)."});
  EXPECT_TRUE(desk.record.log.empty());
  EXPECT_EQ(desk.unit->requestCount(), 0u);

  settings.setText("Txdelay", "12a");
  EXPECT_THROW(write(), ConversionError);
  EXPECT_TRUE(desk.record.log.empty());
  EXPECT_EQ(desk.unit->requestCount(), 0u);
}

// A fault at any page, of any kind, must never end in a success verdict for
// data the unit does not hold, nor in a settings change without one.
TEST(DeviceOperationsEveryPage, AFaultAnywhereNeverGivesAWrongVerdict) {
  const DeviceSettings unitSettings = UnitSettings();
  const ConfigImage stored = test::EncodeOrFail(unitSettings);
  for (const FaultKind kind :
       {FaultKind::NoAnswer, FaultKind::LateAnswer, FaultKind::ShortWrite, FaultKind::OtherCommand,
        FaultKind::ShortAnswer, FaultKind::WrongSum, FaultKind::Unplug}) {
    for (std::size_t p = 0; p < ConfigImage::kPageCount; ++p) {
      SCOPED_TRACE(std::string(FaultName(kind)) + " at page " + std::to_string(p + 1));
      UnitOnDesk desk;
      desk.unit->setMemory(stored);
      desk.unit->addFault({kind, p + 1});
      DeviceSettings settings = test::FreshSettings();
      ConfigImage image;
      const ReadConfigOutcome outcome = ReadConfig(desk.access, image, settings);
      EXPECT_FALSE(outcome.allPages);
      const auto& log = desk.record.log;
      EXPECT_EQ(std::count(log.begin(), log.end(), PageLine("Page read error: ", p + 1, 64)), 1);
      const bool success = std::count(log.begin(), log.end(), "Eeprom read success.") == 1;
      EXPECT_EQ(success, outcome.decoded);
      if (success) {
        EXPECT_TRUE(
            std::equal(image.bytes.begin(), image.bytes.begin() + layout::kChecksummedEnd, stored.bytes.begin()));
        EXPECT_EQ(test::Differences(settings, unitSettings), std::vector<std::string>{});
      } else {
        EXPECT_EQ(test::Differences(settings, test::FreshSettings()), std::vector<std::string>{});
      }
    }
  }
}

}  // namespace
}  // namespace tarnvik
