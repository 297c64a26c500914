// Drives the built tarnvik-cli as a process, as a script would.
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "cfgfile/ConfigFileOps.h"
#include "image/ConfigImage.h"
#include "image/EncodeSettings.h"
#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"
#include "support/ToolProcess.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::Cli;
using test::ReadAll;
using test::RunResult;
using test::WriteAll;

TEST_F(Cli, DefaultsThenEncodeGiveTheImageOfAFreshWindow) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("start.cfg")).status, 0);
  const RunResult encoded = run("encode " + path("start.cfg") + utc + " -o " + path("start.bin"));
  ASSERT_EQ(encoded.status, 0) << encoded.err;
  EXPECT_EQ(encoded.err, "");

  const DeviceSettings fresh = test::FreshSettings();
  test::RecordingOperator record;
  ConfigImage expected;
  ASSERT_TRUE(EncodeSettings(fresh, expected, record, [] { return std::uint16_t(1234); }));
  const std::string image = ReadAll(path("start.bin"));
  ASSERT_EQ(image.size(), 2048u);
  for (std::size_t i = 0; i < image.size(); ++i)
    ASSERT_EQ(std::uint8_t(image[i]), expected.bytes[i]) << "image byte " << i;

  SaveConfigFile(fresh, path("window.cfg"));
  EXPECT_EQ(ReadAll(path("start.cfg")), ReadAll(path("window.cfg")));
}

TEST_F(Cli, DecodeOfThatImageGivesBackTheFile) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("start.cfg")).status, 0);
  ASSERT_EQ(run("encode " + path("start.cfg") + utc + " -o " + path("start.bin")).status, 0);
  const RunResult decoded = run("decode " + path("start.bin") + utc + " -o " + path("back.cfg"));
  ASSERT_EQ(decoded.status, 0) << decoded.err;
  EXPECT_EQ(ReadAll(path("back.cfg")), ReadAll(path("start.cfg")));
}

TEST_F(Cli, FixedClockAndStampRepeatByteForByte) {
  const std::string file = defaultsWith("Beacon2_txrate_rf=0", "Beacon2_txrate_rf=30");
  ASSERT_EQ(run("encode " + file + utc + " -o " + path("one.bin")).status, 0);
  ASSERT_EQ(run("encode " + file + utc + " -o " + path("two.bin")).status, 0);
  EXPECT_EQ(ReadAll(path("one.bin")), ReadAll(path("two.bin")));
  const std::string image = ReadAll(path("one.bin"));
  EXPECT_EQ(std::uint8_t(image[4]) | std::uint8_t(image[5]) << 8, 1234);
  EXPECT_EQ(std::uint8_t(image[124]) | std::uint8_t(image[125]) << 8, 2026);  // clock from --utc
  EXPECT_EQ(image[136], 9);
}

TEST_F(Cli, CheckSaysOkOrNamesTheWrongValue) {
  const RunResult good = run("check " + defaultsWith("SSID=0", "SSID=4") + utc);
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(good.out, "OK\n");

  const RunResult range = run("check " + defaultsWith("TXdelay=250", "TXdelay=100") + utc);
  EXPECT_EQ(range.status, 1);
  EXPECT_EQ(range.err, "TX delay - range error (200 - 1000).\n");
  EXPECT_EQ(range.out, "");

  const RunResult beacon = run("check " + defaultsWith("Beacon3_dest_string=APQX03", "Beacon3_dest_string=") + utc);
  EXPECT_EQ(beacon.status, 1);
  EXPECT_EQ(beacon.err, "Beacon 3 destination - too short (ex. APQX03).\n");

  const RunResult conversion = run("check " + defaultsWith("SSID=0", "SSID=x1") + utc);
  EXPECT_EQ(conversion.status, 1);
  EXPECT_EQ(conversion.err, "'x1' is not a valid integer value.\n");
}

TEST_F(Cli, RefusedEncodeWritesNothing) {
  WriteAll(path("old.bin"), "keep me");
  const std::string file = defaultsWith("Quiettime=400", "Quiettime=5000");
  EXPECT_EQ(run("encode " + file + utc + " -o " + path("old.bin")).status, 1);
  EXPECT_EQ(run("encode " + file + utc + " -o " + path("new.bin")).status, 1);
  EXPECT_EQ(ReadAll(path("old.bin")), "keep me");
  EXPECT_FALSE(fs::exists(path("new.bin")));
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(Cli, FileOfAnotherProgramIsRefusedByItsIdentity) {
  WriteAll(path("other.cfg"), "[!WARNING]\r\nApplication=Other Configurator\r\nVersion=v1.04\r\n");
  const RunResult result = run("check " + path("other.cfg") + utc);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n");
}

TEST_F(Cli, FileOfAnotherVersionWarnsAndGoesOn) {
  const RunResult result = run("check " + defaultsWith("Version=v1.04", "Version=v1.03") + utc);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "OK\n");
  EXPECT_EQ(result.err,
            "Imported configuration file version is different than your current application version. \n"
            "Please double-check configuration fields after import. \n"
            "Some configuration fields my change between firmware versions.\n");
}

TEST_F(Cli, ImagesThatAreNotRightAreRefused) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("start.cfg")).status, 0);
  ASSERT_EQ(run("encode " + path("start.cfg") + utc + " -o " + path("start.bin")).status, 0);
  const std::string image = ReadAll(path("start.bin"));

  WriteAll(path("short.bin"), image.substr(0, 2047));
  const RunResult truncated = run("decode " + path("short.bin") + " -o " + path("out.cfg"));
  EXPECT_EQ(truncated.status, 1);  // read, and refused
  EXPECT_NE(truncated.err.find("2048"), std::string::npos) << truncated.err;
  WriteAll(path("long.bin"), image + "x");
  EXPECT_EQ(run("decode " + path("long.bin") + " -o " + path("out.cfg")).status, 1);

  std::string damaged = image;
  damaged[100] ^= 1;
  WriteAll(path("damaged.bin"), damaged);
  const RunResult checksum = run("decode " + path("damaged.bin") + " -o " + path("out.cfg"));
  EXPECT_EQ(checksum.status, 1);
  EXPECT_EQ(checksum.err, "Eeprom checksum error. Please reload configuration.\n");

  std::string older = image;
  older[10] = '3';  // "v1.03", with the checksum made right again
  test::FixChecksum(older);
  WriteAll(path("older.bin"), older);
  const RunResult version = run("decode " + path("older.bin") + " -o " + path("out.cfg"));
  EXPECT_EQ(version.status, 1);
  EXPECT_EQ(version.err, "Uncompatible configuration version:\nDevice: v1.03\nConfigurator: v1.04\n");
  EXPECT_FALSE(fs::exists(path("out.cfg")));
}

TEST_F(Cli, UsageErrorsAndUnreadableFilesExitWithTwo) {
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("encode " + path("start.cfg")).status, 2);  // no -o
  EXPECT_EQ(run("check " + path("missing.cfg")).status, 2);
  EXPECT_EQ(run("decode " + path("missing.bin") + " -o " + path("x.cfg")).status, 2);
  EXPECT_EQ(run("defaults --utc 2026-13-01T00:00 -o " + path("x.cfg")).status, 2);
  EXPECT_EQ(run("defaults --stamp 10000 -o " + path("x.cfg")).status, 2);
  EXPECT_EQ(run("defaults -o " + path("no/such/folder/x.cfg")).status, 2);
  EXPECT_FALSE(fs::exists(path("x.cfg")));
}

TEST_F(Cli, HelpExplainsTheToolAndEachCommand) {
  const RunResult help = run("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"defaults", "check", "encode", "decode"})
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  const RunResult encode = run("encode --help");
  EXPECT_EQ(encode.status, 0);
  EXPECT_NE(encode.out.find("2048-byte image"), std::string::npos);
}

// A u32 of 2^31 or more is a value the unit can hold but a configuration file
// cannot: the tool says so with the window's message and writes nothing.
TEST_F(Cli, NumberTooLargeForAFileIsRefusedNotAborted) {
  std::string image = defaultImage();
  for (std::size_t i = 24; i < 28; ++i) image[i] = '\xff';  // Txdelay
  test::FixChecksum(image);
  WriteAll(path("big.bin"), image);
  WriteAll(path("old.cfg"), "keep me");
  for (const char* output : {"big.cfg", "old.cfg"}) {
    const RunResult result = run("decode " + path("big.bin") + " -o " + path(output));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "'4294967295' is not a valid integer value.\n");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(fs::exists(path("big.cfg")));
  EXPECT_EQ(ReadAll(path("old.cfg")), "keep me");
}

// The profile rules end a value at its first NUL byte, so a NUL cannot slip an
// "empty" destination past the check that it is not empty.
TEST_F(Cli, ValueEndsAtItsFirstNulByte) {
  for (const std::string& value : {std::string("\0", 1), std::string("\0APQX03", 7)}) {
    const std::string file = defaultsWith("Weather_dest_string=APQX03", "Weather_dest_string=" + value);
    const RunResult result = run("check " + file + utc);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Weather destination - too short (ex. APQX03).\n");
  }
}

}  // namespace
}  // namespace tarnvik
