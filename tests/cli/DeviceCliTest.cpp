// The tool's device commands run as processes against a simulated unit kept
// in a folder, as a script or an operator without hardware would run them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "DeviceCliFixture.h"
#include "platform/UsbAccess.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::DeviceCli;
using test::kFound;
using test::ReadAll;
using test::RunResult;

TEST_F(DeviceCli, WriteThenReadGivesBackTheFileWithEveryLineOnStandardOutput) {
  ASSERT_EQ(run("defaults --utc 2026-07-03T09:05 -o " + path("start.cfg")).status, 0);
  const RunResult written = device("write " + path("start.cfg") + " --utc 2026-07-03T09:05 --stamp 77");
  EXPECT_EQ(written.status, 0);
  std::vector<std::string> expected{kFound};
  for (const std::string& line : pages("Page written: ", 1, 64, 64)) expected.push_back(line);
  expected.push_back("Eeprom write success");
  EXPECT_EQ(written.lines(), expected);
  EXPECT_EQ(written.err, "");

  const RunResult read =
      device("read -o " + path("back.cfg") + " --raw " + path("raw.bin") + " --utc 2026-07-03T09:05");
  EXPECT_EQ(read.status, 0);
  expected = {kFound};
  for (const std::string& line : pages("Page read: ", 1, 64, 64)) expected.push_back(line);
  for (const char* line : {"Eeprom read success.", kFound.c_str(), "Firmware version: 1.04"}) expected.push_back(line);
  EXPECT_EQ(read.lines(), expected);
  EXPECT_EQ(read.err, "");
  EXPECT_EQ(ReadAll(path("back.cfg")), ReadAll(path("start.cfg")));
  EXPECT_EQ(ReadAll(path("raw.bin")), ReadAll(unit / "memory.bin"));
}

TEST_F(DeviceCli, AFailedReadWritesNoConfigurationButKeepsTheRawBytesRead) {
  writeDefaults();
  // What starting the tool and reaching the unit take on this machine now,
  // without any wait (a loaded machine, or Wine, can take most of a second).
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(device("version").status, 0);
  const auto overhead = std::chrono::steady_clock::now() - start;
  faults("no-answer 10\n");
  start = std::chrono::steady_clock::now();
  const RunResult read = device("read -o " + path("back.cfg") + " --raw " + path("raw.bin") + " --timeout-ms 200");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(read.status, 1);
  // The unit in a folder keeps real time: the one wait is the limit given, not the default of a second.
  EXPECT_GE(took, std::chrono::milliseconds(200));
  EXPECT_LT(took - overhead, std::chrono::milliseconds(800));
  const std::vector<std::string> lines = read.lines();
  const std::vector<std::string> tail(lines.end() - 3, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Page read error: 10/64", "Tarnvik did not answer within 200 ms.",
                                            "Eeprom checksum error. Please reload configuration."}));
  EXPECT_FALSE(fs::exists(path("back.cfg")));
  const std::string raw = ReadAll(path("raw.bin")), memory = ReadAll(unit / "memory.bin");
  ASSERT_EQ(raw.size(), 2048u);
  EXPECT_EQ(raw.substr(0, 9 * 32), memory.substr(0, 9 * 32));
  EXPECT_EQ(raw.substr(9 * 32), std::string(2048 - 9 * 32, '\0'));
}

TEST_F(DeviceCli, APageErrorFailsTheReadEvenWhenTheChecksumHolds) {
  writeDefaults();
  faults("other-command 50\n");  // beyond the configuration's bytes, which are zero anyway
  const RunResult read = device("read -o " + path("back.cfg"));
  EXPECT_EQ(read.status, 1);
  EXPECT_TRUE(fs::exists(path("back.cfg")));
  EXPECT_EQ(read.lines().back(), "Firmware version: 1.04");

  faults("no-answer 65\n");  // the version query after a whole read
  fs::remove(path("back.cfg"));
  const RunResult unanswered = device("read -o " + path("back.cfg") + " --timeout-ms 50");
  EXPECT_EQ(unanswered.status, 1);
  EXPECT_TRUE(fs::exists(path("back.cfg")));
  EXPECT_EQ(unanswered.lines().back(), kFound);
  EXPECT_EQ(unanswered.err, "Tarnvik did not answer within 50 ms.\n");
}

TEST_F(DeviceCli, VersionListAndTheTraceOfEachReport) {
  std::filesystem::create_directories(unit);
  std::ofstream(unit / "version") << "12345\n";
  const RunResult version = device("version --trace " + path("trace.txt"));
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, kFound + "\nFirmware version: 123.45\n");
  const std::string trace = ReadAll(path("trace.txt"));
  const std::regex shape(
      "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{6}Z > 00 fb( 00){63}\n"
      "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{6}Z < 00 fb 39 30 00 00( 00){59}\n");
  EXPECT_TRUE(std::regex_match(trace, shape)) << trace;

  const RunResult list = device("list");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "simulated:" + unit.string() + "  HID\\VID_0483&PID_A04A&REV_0200\n");

  faults("no-answer 1\n");
  const RunResult silent = device("version --timeout-ms 20");
  EXPECT_EQ(silent.status, 1);
  EXPECT_EQ(silent.out, kFound + "\n");
  EXPECT_EQ(silent.err, "Tarnvik did not answer within 20 ms.\n");
}

TEST_F(DeviceCli, WithoutAUnitEveryCommandSaysSoAndFails) {
  ASSERT_EQ(run("defaults -o " + path("start.cfg")).status, 0);
  std::ofstream(path("fw.bin")) << "firmware";
  std::filesystem::create_directories(unit);
  std::ofstream(unit / "unplugged");
  for (const std::string& command : {"read -o " + path("x.cfg"), "write " + path("start.cfg"),
                                     "firmware " + path("fw.bin"), std::string("version"), std::string("list")}) {
    const RunResult result = device(command);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_EQ(result.out, "Tarnvik not found.\n") << command;
  }
  EXPECT_FALSE(fs::exists(path("x.cfg")));
}

TEST_F(DeviceCli, AUnitThatCannotBeOpenedIsNamedWithTheReason) {
  std::filesystem::create_directories(unit);
  std::ofstream(unit / "open-error") << "Permission denied\n";
  const RunResult version = device("version");
  EXPECT_EQ(version.status, 1);
  EXPECT_EQ(version.out, kFound + "\nTarnvik cannot be opened: simulated:" + unit.string() +
                             ": Permission denied. See \"" + std::string(platform::UsbAccessSection()) + "\" in " +
                             std::string(platform::UsbAccessReadme()) + ".\n");
}

TEST_F(DeviceCli, FirmwareIsSentAfterTheUnitIsFoundAndChecked) {
  std::ofstream(path("fw.bin"), std::ios::binary) << std::string(33, 'x');
  const RunResult sent = device("firmware " + path("fw.bin"));
  EXPECT_EQ(sent.status, 0);
  EXPECT_EQ(sent.out, kFound + "\nPage written: 1/2\nPage written: 2/2\nFirmware upgrade success\n");
  EXPECT_EQ(ReadAll(unit / "firmware.bin"), std::string(33, 'x') + std::string(31, '\0'));

  std::ofstream(path("big.bin"), std::ios::binary) << std::string(54273, 'x');
  const RunResult tooLong = device("firmware " + path("big.bin"));
  EXPECT_EQ(tooLong.status, 1);
  EXPECT_EQ(tooLong.out, kFound + "\n");
  EXPECT_EQ(tooLong.err, "Firmware file error.\n");

  const RunResult missing = device("firmware " + path("missing.bin"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, kFound + "\n");
  EXPECT_EQ(missing.err, "File open error.\n");
}

TEST_F(DeviceCli, WriteRefusesWhatTheWindowRefuses) {
  std::ofstream(path("other.cfg")) << "[Something]\r\nKey=1\r\n";
  const RunResult foreign = device("write " + path("other.cfg"));
  EXPECT_EQ(foreign.status, 1);
  EXPECT_EQ(foreign.out, "");
  EXPECT_NE(foreign.err, "");

  ASSERT_EQ(run("defaults -o " + path("start.cfg")).status, 0);
  std::string content = ReadAll(path("start.cfg"));
  content.replace(content.find("TXdelay=250"), 11, "TXdelay=100");
  std::ofstream(path("bad.cfg"), std::ios::binary) << content;
  const RunResult refused = device("write " + path("bad.cfg"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "TX delay - range error (200 - 1000).\n");

  faults("unplug 3\n");
  const RunResult pulled = device("write " + path("start.cfg"));
  EXPECT_EQ(pulled.status, 1);
  EXPECT_EQ(pulled.lines().back(), "Page write error: 3/64");
  EXPECT_EQ(device("version").out, "Tarnvik not found.\n");

  EXPECT_EQ(device("write " + path("missing.cfg")).status, 2);
}

// The unit keeps pages 6 and 40 with a bit flipped (bad-store) but
// acknowledges them: only reading back shows it.
TEST_F(DeviceCli, VerifyNamesThePagesAndTheSettingsThatCameBackDifferent) {
  writeDefaults();
  faults("bad-store 6\nbad-store 40\n");
  const RunResult written = device("write " + path("start.cfg") + " --verify");
  EXPECT_EQ(written.status, 1);
  std::vector<std::string> expected{kFound};
  for (const std::string& line : pages("Page written: ", 1, 64, 64)) expected.push_back(line);
  expected.push_back("Eeprom write success");
  for (const std::string& line : pages("Page read: ", 1, 64, 64)) expected.push_back(line);
  EXPECT_EQ(written.lines(), expected);
  EXPECT_EQ(written.err,
            "Verify error: 2 pages of 64 differ from what was written.\n"
            "Page 6/64 (bytes 160 to 191): Beacon1_msg\n"
            "Page 40/64 (bytes 1248 to 1279): Teledigital1_name\n");

  faults("");
  const RunResult good = device("write " + path("start.cfg") + " --verify");
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(good.lines().back(), "Verify success: the unit holds the 64 pages written.");
  EXPECT_EQ(good.err, "");

  faults("no-answer 70\n");  // the sixth page read back
  const RunResult unread = device("write " + path("start.cfg") + " --verify --timeout-ms 20");
  EXPECT_EQ(unread.status, 1);
  EXPECT_EQ(unread.err, "Verify error: the pages written could not be read back.\n");
}

// What the unit held before is saved before the first page is written, so a
// write that then fails can be undone.
TEST_F(DeviceCli, BackupIsSavedBeforeAWriteThatThenFailsAndUndoesIt) {
  writeDefaults();
  const std::string before = ReadAll(unit / "memory.bin");
  const std::string changed = defaultsWith("Callsign=NOCALL", "Callsign=OH2XYZ");
  faults("no-answer 70\n");  // 64 pages read for the backup, then the sixth page written
  const RunResult failed = device("write " + changed + " --backup " + path("before.cfg") + " --timeout-ms 20");
  EXPECT_EQ(failed.status, 1);
  const std::vector<std::string> lines = failed.lines();
  ASSERT_GE(lines.size(), 67u);
  EXPECT_EQ(lines[65], "Backup saved: " + path("before.cfg") + ", image " + path("before.bin"));
  EXPECT_EQ(lines[66], kFound);
  EXPECT_EQ(lines.back(), "Tarnvik did not answer within 20 ms.");
  EXPECT_EQ(ReadAll(path("before.bin")), before);
  EXPECT_EQ(ReadAll(path("before.cfg")), ReadAll(path("start.cfg")));
  EXPECT_NE(ReadAll(unit / "memory.bin"), before);  // five pages of the new image went in

  faults("");
  ASSERT_EQ(device("write " + path("before.cfg") + " --utc 2026-07-03T09:05 --stamp 77").status, 0);
  EXPECT_EQ(ReadAll(unit / "memory.bin"), before);

  // Without .cfg the image is the whole name with .bin added.
  ASSERT_EQ(device("write " + changed + " --backup " + path("saved")).status, 0);
  EXPECT_EQ(ReadAll(path("saved.bin")), before);
  EXPECT_EQ(ReadAll(path("saved")), ReadAll(path("start.cfg")));
}

TEST_F(DeviceCli, WhenTheBackupCannotBeMadeNothingIsWritten) {
  writeDefaults();
  const std::string before = ReadAll(unit / "memory.bin");
  const std::string changed = defaultsWith("Callsign=NOCALL", "Callsign=OH2XYZ");
  const auto unchanged = [&](const RunResult& result, const std::string& what) {
    EXPECT_EQ(ReadAll(unit / "memory.bin"), before) << what;
    EXPECT_EQ(result.out.find("Page written"), std::string::npos) << what;
  };

  faults("no-answer 10\n");
  const RunResult unread = device("write " + changed + " --backup " + path("b1.cfg") + " --timeout-ms 20");
  EXPECT_EQ(unread.status, 1);
  EXPECT_EQ(unread.err,
            "Backup failed: the unit's configuration could not be read. Nothing was written to the unit.\n");
  EXPECT_FALSE(fs::exists(path("b1.cfg")) || fs::exists(path("b1.bin")));
  unchanged(unread, "unread");

  faults("");
  const RunResult noFolder = device("write " + changed + " --backup " + (dir / "no" / "b2.cfg").string());
  EXPECT_EQ(noFolder.status, 2);
  EXPECT_EQ(noFolder.err.rfind("Unable to write to ", 0), 0u) << noFolder.err;
  unchanged(noFolder, "no folder");

  const RunResult overwrite = device("write " + changed + " --backup " + changed);
  EXPECT_EQ(overwrite.status, 2);
  EXPECT_EQ(overwrite.out, "");
  EXPECT_EQ(overwrite.err, "--backup " + changed + " would overwrite the configuration file to write (" + changed +
                               "); name another file.\n");

  std::string damaged = before;
  damaged[500] = char(damaged[500] ^ 1);
  std::ofstream(unit / "memory.bin", std::ios::binary | std::ios::trunc) << damaged;
  const RunResult bad = device("write " + changed + " --backup " + path("b3.cfg"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "Backup failed: the unit's configuration fails its checksum (its bytes are kept in " +
                         path("b3.bin") + "). Nothing was written to the unit.\n");
  EXPECT_EQ(ReadAll(path("b3.bin")), damaged);
  EXPECT_FALSE(fs::exists(path("b3.cfg")));
  EXPECT_EQ(ReadAll(unit / "memory.bin"), damaged);

  fs::remove(unit / "memory.bin");  // a new unit: all zero, another version
  const RunResult fresh = device("write " + changed + " --backup " + path("b4.cfg"));
  EXPECT_EQ(fresh.status, 1);
  EXPECT_EQ(fresh.err,
            "Uncompatible configuration version:\nDevice: \nConfigurator: v1.04\n"
            "Backup failed: the unit's configuration is of another version (its bytes are kept in " +
                path("b4.bin") + "). Nothing was written to the unit.\n");
  EXPECT_EQ(ReadAll(unit / "memory.bin"), std::string(2048, '\0'));

  // A file Write config refuses is refused before the unit is asked.
  const RunResult refused =
      device("write " + defaultsWith("TXdelay=250", "TXdelay=100") + " --backup " + path("b5.cfg"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_FALSE(fs::exists(path("b5.bin")));
}

TEST_F(DeviceCli, UsageErrorsAndTheEnvironmentVariable) {
  EXPECT_EQ(device("read").status, 2);  // no -o
  EXPECT_EQ(device("version --timeout-ms 0").status, 2);
  EXPECT_EQ(device("version --utc 2026-13-01T00:00").status, 2);
  EXPECT_EQ(device("version --trace " + (dir / "no" / "such" / "t.txt").string()).status, 2);
  std::ofstream(path("file")) << "x";
  EXPECT_EQ(run("version --simulate " + path("file")).status, 2);

  const RunResult fromEnvironment = run("version", "TARNVIK_SIMULATED_UNIT=" + unit.string());
  EXPECT_EQ(fromEnvironment.status, 0);
  EXPECT_EQ(fromEnvironment.out, kFound + "\nFirmware version: 1.04\n");
  EXPECT_TRUE(fs::exists(unit / "memory.bin"));
}

}  // namespace
}  // namespace tarnvik
