// The tool beside another program: a set whose file another program is
// changing waits for it and keeps that change; a device command on a unit that
// another program holds says so, ends with status 1 and leaves the unit alone
// (write --backup too: its backup is not "failed", the unit is in use).
#include <chrono>
#include <thread>

#include "CliFixture.h"
#include "cfgfile/AtomicFile.h"
#include "cfgfile/ConfigFileOps.h"
#include "device/DeviceLink.h"
#include "device/UnitSession.h"
#include "device/simulated/SimulatedTransport.h"
#include "settings/DeviceSettings.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"

namespace tarnvik::test {
namespace {

// Another program's read-change-write of `file`, slow enough to overlap.
void ChangeCallsignSlowly(const std::string& file, const OtherProgram::Channel& channel) {
  const platform::FileLock lock = AtomicFile::LockForChange(file);
  DeviceSettings settings = FreshSettings();
  RecordingOperator quiet;
  const bool loaded = LoadConfigFile(settings, file, quiet);
  channel.tell(lock.held() && loaded ? 1 : 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  settings.setText("Callsign", "OTHER");
  SaveConfigFile(settings, file);
}

TEST_F(Cli, ASetWaitsForAnotherChangeOfItsFileAndKeepsBoth) {
  ASSERT_EQ(run("defaults -o " + path("unit.cfg")).status, 0);
  OtherProgram other([&](const OtherProgram::Channel& channel) { ChangeCallsignSlowly(path("unit.cfg"), channel); });
  ASSERT_EQ(other.told(), 1);
  EXPECT_EQ(run("set " + path("unit.cfg") + " Ssid=5 -o " + path("unit.cfg")).status, 0);
  EXPECT_EQ(other.release(), 0);
  EXPECT_EQ(run("get " + path("unit.cfg") + " Callsign Ssid").lines(), (std::vector<std::string>{"OTHER", "5"}));
}

TEST_F(Cli, ADeviceCommandLeavesAUnitThatAnotherProgramHolds) {
  const std::string unit = path("unit"), config = path("base.cfg");
  ASSERT_EQ(run("defaults -o " + config).status, 0);
  ASSERT_EQ(run("write " + config + " --simulate " + unit).status, 0);
  const std::string memory = ReadAll(unit + "/memory.bin");
  const std::string command =
      "write " + config + " --simulate " + unit + " --backup " + path("before.cfg") + " --verify --stamp 7";
  {
    OtherProgram holder([&](const OtherProgram::Channel& channel) {
      const auto transport = SimulatedUnitInFolder(unit);
      UnitSession units(*transport);
      RecordingOperator quiet;
      DeviceLink link(units, quiet);
      channel.tell(link.OpenLink() ? 1 : 0);
      channel.awaitRelease();
    });
    ASSERT_EQ(holder.told(), 1);
    const RunResult busy = run(command);
    EXPECT_EQ(busy.status, 1);
    EXPECT_EQ(busy.lines(), (std::vector<std::string>{kFoundLine, kInUseLine})) << busy.err;
    EXPECT_EQ(busy.err, "") << "the in-use line says it all, as for every other command";
    EXPECT_EQ(ReadAll(unit + "/memory.bin"), memory);
    EXPECT_FALSE(fs::exists(path("before.cfg")));
  }
  EXPECT_EQ(run(command).status, 0);
  EXPECT_TRUE(fs::exists(path("before.cfg")));
}

}  // namespace
}  // namespace tarnvik::test
