// The simulated unit kept in a folder: what survives between runs, and how
// the folder's files steer it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/OperationError.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/simulated/SimulatedTransport.h"
#include "image/ImageTestSupport.h"
#include "platform/PathText.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

class SimulatedUnitFolder : public ::testing::Test {
 protected:
  test::TempFolder scratch;
  const fs::path folder = platform::PathOf(scratch.root()) / "unit";
  test::RecordingOperator record;
};

TEST_F(SimulatedUnitFolder, ANewFolderIsAnEmptyUnitAndWrittenPagesSurviveTheProcess) {
  {
    const auto transport = SimulatedUnitInFolder(folder.string());
    EXPECT_EQ(ReadAll(folder / "memory.bin"), std::string(2048, '\0'));
    EXPECT_EQ(ReadAll(folder / "version"), "104\n");
    DeviceSettings settings = test::FreshSettings();
    ConfigImage image;
    ASSERT_TRUE(WriteConfig({*transport, record}, settings, image, test::TestClock(), test::FixedStamp()).allPages);
    EXPECT_EQ(ReadAll(folder / "memory.bin"), std::string(image.bytes.begin(), image.bytes.end()));
  }
  std::ofstream(folder / "version") << "213\n";
  const auto transport = SimulatedUnitInFolder(folder.string());
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", "OTHER");
  ConfigImage image;
  EXPECT_TRUE(ReadConfig({*transport, record}, image, settings).decoded);
  EXPECT_EQ(settings.text("Callsign"), test::FreshSettings().text("Callsign"));
  EXPECT_EQ(record.boxTexts().back(), "Firmware version: 2.13");
}

TEST_F(SimulatedUnitFolder, FirmwarePagesLandInPlaceAndANewUploadStartsAfresh) {
  const auto transport = SimulatedUnitInFolder(folder.string());
  FirmwareBuffer buffer;
  for (const std::size_t size : {200u, 40u}) {
    const fs::path file = folder.parent_path() / "fw.bin";
    std::ofstream(file, std::ios::binary) << std::string(size, 'F');
    record.answerFile(file.string());
    ASSERT_EQ(UploadFirmwareClick({*transport, record}, buffer, "/"), UploadOutcome::Done);
  }
  EXPECT_EQ(ReadAll(folder / "firmware.bin"), std::string(40, 'F') + std::string(24, '\0'));
}

TEST_F(SimulatedUnitFolder, FaultsComeFromTheFaultsFileAndUnpluggingLastsUntilTheMarkIsRemoved) {
  fs::create_directories(folder);
  std::ofstream(folder / "faults") << "# pull the cable at the third page\nunplug 3\n";
  {
    const auto transport = SimulatedUnitInFolder(folder.string());
    DeviceSettings settings = test::FreshSettings();
    ConfigImage image;
    EXPECT_FALSE(ReadConfig({*transport, record}, image, settings).allPages);
    // An empty unit reads as zeros, which pass the checksum but not the
    // version check; the version query then finds the unit gone.
    const std::vector<std::string> tail(record.log.end() - 3, record.log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"Page read error: 3/64", "Eeprom read error. Please reload configuration.",
                                        "Tarnvik not found."}));
  }
  EXPECT_TRUE(fs::exists(folder / "unplugged"));
  record.log.clear();
  EXPECT_FALSE(ShowFirmwareVersion({*SimulatedUnitInFolder(folder.string()), record}).found);
  EXPECT_EQ(record.log, std::vector<std::string>{"Tarnvik not found."});

  fs::remove(folder / "unplugged");
  fs::remove(folder / "faults");
  EXPECT_TRUE(ShowFirmwareVersion({*SimulatedUnitInFolder(folder.string()), record}).shown);
}

TEST_F(SimulatedUnitFolder, AnUnusableFolderOrFileIsReportedNotGuessed) {
  fs::create_directories(folder);
  std::ofstream(folder / "faults") << "explode 3\n";
  EXPECT_THROW(SimulatedUnitInFolder(folder.string()), OperationError);
  fs::remove(folder / "faults");
  std::ofstream(folder / "memory.bin") << "short";
  EXPECT_THROW(SimulatedUnitInFolder(folder.string()), OperationError);
  fs::remove(folder / "memory.bin");
  std::ofstream(folder.parent_path() / "plain-file") << "x";
  EXPECT_THROW(SimulatedUnitInFolder((folder.parent_path() / "plain-file").string()), OperationError);
  fs::remove_all(folder.parent_path());
}

}  // namespace
}  // namespace tarnvik
