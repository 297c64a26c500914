// diff, get and set run as processes, as an operator's scripts run them.
#include <gtest/gtest.h>

#include "CliFixture.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::RunResult;
using test::WriteAll;

class SettingCli : public test::Cli {
 protected:
  void SetUp() override {
    ASSERT_EQ(run("defaults" + utc + " -o " + path("a.cfg")).status, 0);
    original = ReadAll(path("a.cfg"));
  }
  // a.cfg with one line replaced, saved as `name`.
  std::string changed(const std::string& name, const std::string& from, const std::string& to) {
    std::string content = original;
    const auto at = content.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) content.replace(at, from.size(), to);
    WriteAll(path(name), content);
    return path(name);
  }
  RunResult set(const std::string& args) { return run("set " + path("a.cfg") + " " + args + " -o " + path("out.cfg")); }

  std::string original;
};

TEST_F(SettingCli, DiffPrintsEachSettingTheUnitWouldHoldDifferentlyInTheWindowsOrder) {
  ASSERT_EQ(set("Squelch=3 Callsign=OH2XYZ \"Beacon2_msg=Hello there\" Pathn3_active=1 Ssid=4").status, 0);
  const RunResult diff = run("diff " + path("a.cfg") + " " + path("out.cfg"));
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out,
            "Callsign: \"NOCALL\" -> \"OH2XYZ\"\n"
            "Ssid: \"0\" -> \"4\"\n"
            "Squelch: 0 \"1 (lowest)\" -> 3 \"4\"\n"
            "Pathn3_active: 0 (unchecked) -> 1 (checked)\n"
            "Beacon2_msg: \"\" -> \"Hello there\"\n");
  EXPECT_EQ(diff.err, "");

  const RunResult same = run("diff " + path("a.cfg") + " " + path("a.cfg"));
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");
}

TEST_F(SettingCli, DiffComparesWhatTheUnitWouldStoreNotHowItWasTyped) {
  changed("b.cfg", "Callsign=NOCALL", "Callsign=nocall ");
  std::string content = ReadAll(path("b.cfg"));
  content.replace(content.find("Beacon1_path_string=WIDE2"), 25, "Beacon1_path_string=wide2");
  content.replace(content.find("Pathn1_lower=1"), 14, "Pathn1_lower=01");
  content.replace(content.find("Weather_txrate_rf=5"), 19, "Weather_txrate_rf=65541");  // 5 in 16 bits
  content.replace(content.find("Beacon3_path_string=WIDE2"), 25, "Beacon3_path_string=");
  WriteAll(path("b.cfg"), content);
  // The empty path's SSID is not stored, so it cannot differ.
  WriteAll(path("c.cfg"), content.replace(content.find("Beacon3_path_ssid=2"), 19, "Beacon3_path_ssid=x"));
  EXPECT_EQ(run("diff " + path("b.cfg") + " " + path("c.cfg")).out, "");
  const RunResult diff = run("diff " + path("a.cfg") + " " + path("c.cfg"));
  EXPECT_EQ(diff.status, 1);
  // Nor against a path that is there: only the path differs.
  EXPECT_EQ(diff.out, "Beacon3_path_string: \"WIDE2\" -> \"\"\n");
  // A refused SSID leaves its destination compared as stored.
  changed("f.cfg", "Beacon1_dest_string=APQX03", "Beacon1_dest_string=apqx03");
  std::string refusedSsid = ReadAll(path("f.cfg"));
  refusedSsid.replace(refusedSsid.find("Beacon1_dest_ssid=0"), 19, "Beacon1_dest_ssid=x");
  WriteAll(path("f.cfg"), refusedSsid);
  EXPECT_EQ(run("diff " + path("a.cfg") + " " + path("f.cfg")).out, "Beacon1_dest_ssid: \"0\" -> \"x\"\n");

  // What Write config would refuse compares as typed.
  changed("d.cfg", "TXdelay=250", "TXdelay=100");
  changed("e.cfg", "Pathn2_name=SP", "Pathn2_name=sp");
  EXPECT_EQ(run("diff " + path("a.cfg") + " " + path("d.cfg")).out, "Txdelay: \"250\" -> \"100\"\n");
  EXPECT_EQ(run("diff " + path("a.cfg") + " " + path("e.cfg")).out, "Pathn2_name: \"SP\" -> \"sp\"\n");
}

TEST_F(SettingCli, DiffTellsImagesFromFilesByContent) {
  ASSERT_EQ(run("encode " + path("a.cfg") + utc + " -o " + path("image.cfg")).status, 0);  // an image named .cfg
  fs::copy_file(path("a.cfg"), path("file.bin"));                                          // a file named .bin
  EXPECT_EQ(run("diff " + path("image.cfg") + " " + path("file.bin")).status, 0);
  const std::string other = changed("other.cfg", "Uploadpctime=1", "Uploadpctime=0");
  // Images do not hold Uploadpctime: only two files compare it.
  EXPECT_EQ(run("diff " + path("image.cfg") + " " + other).status, 0);
  EXPECT_EQ(run("diff " + path("file.bin") + " " + other).out, "Uploadpctime: 1 (checked) -> 0 (unchecked)\n");
}

TEST_F(SettingCli, DiffExitsWithTwoOnInputItCannotCompare) {
  const std::string good = path("a.cfg");
  std::string image(2048, '\0');
  image[100] = 1;  // checksum off
  WriteAll(path("bad.bin"), image);
  std::string older(2048, '\0');
  older.replace(6, 5, "v1.03");
  test::FixChecksum(older);
  WriteAll(path("older.bin"), older);
  WriteAll(path("foreign.cfg"), "[!WARNING]\r\nApplication=Something else\r\n");
  WriteAll(path("text.bin"), std::string(2048, 'x'));  // 2048 bytes but no zero byte: a (foreign) file
  const std::pair<std::string, std::string> cases[] = {
      {path("missing.cfg"), "Unable to read " + path("missing.cfg") + ": No such file or directory\n"},
      {path("bad.bin"), "Eeprom checksum error. Please reload configuration.\n"},
      {path("older.bin"), "Uncompatible configuration version:\nDevice: v1.03\nConfigurator: v1.04\n"},
      {path("foreign.cfg"), "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n"},
      {path("text.bin"), "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n"},
  };
  for (const auto& [input, message] : cases) {
    for (const std::string& args : {good + " " + input, input + " " + good}) {
      const RunResult diff = run("diff " + args);
      EXPECT_EQ(diff.status, 2) << args;
      EXPECT_EQ(diff.out, "") << args;
      EXPECT_EQ(diff.err, message + "Unable to compare " + input + ".\n") << args;
    }
  }
  EXPECT_EQ(run("diff " + good).status, 2);  // B missing
}

TEST_F(SettingCli, GetPrintsOneValuePerNameInTheOrderGiven) {
  const std::string file = changed("b.cfg", "PTT=0", "PTT=1");
  const RunResult values = run("get " + file + " Callsign ssid PTT Squelch Pathn1_active Teledigital2_label");
  EXPECT_EQ(values.status, 0);
  EXPECT_EQ(values.out, "NOCALL\n0\n1\n0\n1\nOn\n");
  EXPECT_EQ(values.err, "");
  EXPECT_EQ(run("get " + file + " Ptt Squelch Callsign --entries").out, "2k2 resistor\n1 (lowest)\nNOCALL\n");

  ASSERT_EQ(run("encode " + file + utc + " -o " + path("b.bin")).status, 0);
  EXPECT_EQ(run("get " + path("b.bin") + " Callsign Ptt").out, "NOCALL\n1\n");
}

TEST_F(SettingCli, GetRefusesUnknownNamesBeforePrintingAnything) {
  const std::string file = path("a.cfg");
  ASSERT_EQ(run("encode " + file + utc + " -o " + path("a.bin")).status, 0);
  WriteAll(path("foreign.cfg"), "[Radio]\r\nCallsign=X\r\n");
  const std::pair<std::string, std::pair<int, std::string>> cases[] = {
      {file + " Callsign Calsign", {1, "Unknown setting: Calsign. Did you mean Callsign?\n"}},
      {file + " Callsign Nonsense", {1, "Unknown setting: Nonsense.\n"}},
      {file + " Rtcyear",
       {1, "Rtcyear is not kept in configuration files: the unit's clock is set from the PC on Write config.\n"}},
      {path("a.bin") + " Callsign Uploadpctime",
       {1, "Uploadpctime is not kept in configuration images: only the window and configuration files keep it.\n"}},
      {path("foreign.cfg") + " Callsign",
       {1, "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n"}},
      {path("missing.cfg") + " Callsign",
       {2, "Unable to read " + path("missing.cfg") + ": No such file or directory\n"}},
  };
  for (const auto& [args, expected] : cases) {
    const RunResult got = run("get " + args);
    EXPECT_EQ(got.status, expected.first) << args;
    EXPECT_EQ(got.out, "") << args;
    EXPECT_EQ(got.err, expected.second) << args;
  }
  EXPECT_EQ(run("get " + file).status, 2);  // no name
}

TEST_F(SettingCli, SetChangesTheNamedSettingsAsTheWindowWouldAndSavesOnlyThen) {
  const RunResult done =
      set("callsign=OH2XYZ SSID=12 \"Ptt=2K2 RESISTOR\" Busydetect=1 Pathn2_active=0 "
          "Teledigital3_label=Off \"Beacon1_msg=Unit 12\"");
  ASSERT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(done.out + done.err, "");
  EXPECT_EQ(
      run("get " + path("out.cfg") + " Callsign Ssid Ptt Busydetect Pathn2_active Teledigital3_units Beacon1_msg").out,
      "OH2XYZ\n12\n1\n1\n0\nOff\nUnit 12\n");
  EXPECT_EQ(run("check " + path("out.cfg") + utc).out, "OK\n");
  EXPECT_EQ(ReadAll(path("a.cfg")), original);

  // Picking the weather station and the ports runs the port rules, as in the
  // window; a port the window locks cannot be picked.
  const RunResult station = run("set " + path("out.cfg") + " Weather_stationtype=WS-2300 -o " + path("ws.cfg"));
  ASSERT_EQ(station.status, 0) << station.err;
  EXPECT_EQ(run("get " + path("ws.cfg") + " Serial1_mode Serial2_mode --entries").out,
            "Negative voltage output\nWeather station\n");
  const RunResult locked = run("set " + path("ws.cfg") + " Serial1_mode=2 -o " + path("locked.cfg"));
  EXPECT_EQ(locked.status, 1);
  EXPECT_EQ(locked.err,
            "Serial1_mode cannot be changed: the window keeps it locked as the negative voltage output while the "
            "other serial port carries a WS-2300 or WS-2350 weather station.\n");
  EXPECT_FALSE(fs::exists(path("locked.cfg")));
  const RunResult freed = run("set " + path("ws.cfg") + " Serial2_mode=0 Serial1_mode=1 -o " + path("freed.cfg"));
  ASSERT_EQ(freed.status, 0) << freed.err;
  EXPECT_EQ(run("get " + path("freed.cfg") + " Serial1_mode Serial2_mode").out, "1\n3\n");
}

TEST_F(SettingCli, SetInPlaceKeepsTheLinesOthersAddedToTheFile) {
  WriteAll(path("mine.cfg"), original + "[Notes]\r\nsite=hill top\r\n");
  ASSERT_EQ(run("set " + path("mine.cfg") + " Callsign=OH2XYZ -o " + path("mine.cfg")).status, 0);
  const std::string content = ReadAll(path("mine.cfg"));
  EXPECT_NE(content.find("Callsign=OH2XYZ\r\n"), std::string::npos);
  EXPECT_NE(content.find("[Notes]\r\nsite=hill top\r\n"), std::string::npos);
}

// Every refusal leaves OUT as it was (here: an older file) and writes nothing else.
TEST_F(SettingCli, EveryRefusalGivesTheProgramsMessageAndWritesNothing) {
  WriteAll(path("foreign.cfg"), "[Radio]\r\nCallsign=X\r\n");
  const std::string a = path("a.cfg");
  struct Case {
    std::string args;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {a + " Calsign=X", 1, "Unknown setting: Calsign. Did you mean Callsign?\n"},
      {a + " Rtcmin=5", 1,
       "Rtcmin is not kept in configuration files: the unit's clock is set from the PC on Write config.\n"},
      {a + " Ptt=2", 1,
       "Ptt has no entry \"2\": give its index (0 to 1) or the text of an entry: \"separate output\", "
       "\"2k2 resistor\".\n"},
      {a + " Ptt=-1", 1,
       "Ptt has no entry \"-1\": give its index (0 to 1) or the text of an entry: \"separate "
       "output\", \"2k2 resistor\".\n"},
      {a + " Pathn1_active=yes", 1, "Pathn1_active is a check box: give 1 (checked) or 0 (unchecked), not \"yes\".\n"},
      {a + " Callsign=OH2XYZ Txdelay=100", 1, "TX delay - range error (200 - 1000).\n"},
      {a + " Ssid=x", 1, "'x' is not a valid integer value.\n"},
      {a + " Beacon4_dest_string=", 1, "Beacon 4 destination - too short (ex. APQX03).\n"},
      {a + " Beacon1_msg=caf$'\\xe9'", 1, "Beacon 1 message - forbidden characters.\n"},
      {a + " \"Pathn3_name= SP \"", 1,
       "Pathn3_name: a configuration file would give back \"SP\", not \" SP \" (a value "
       "loses its blanks at either end and one pair of enclosing quotes, and a line "
       "break becomes a blank).\n"},
      {a + " Callsign", 2, "Expected NAME=VALUE, not \"Callsign\".\n"},
      {a + " =5", 2, "Expected NAME=VALUE, not \"=5\".\n"},
      {path("foreign.cfg") + " Callsign=X", 1,
       "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n"},
      {path("missing.cfg") + " Callsign=X", 2,
       "Unable to read " + path("missing.cfg") + ": No such file or directory\n"},
  };
  WriteAll(path("out.cfg"), "older\r\n");
  for (const Case& c : cases) {
    const RunResult refused = run("set " + c.args + " -o " + path("out.cfg"));
    EXPECT_EQ(refused.status, c.status) << c.args;
    EXPECT_EQ(refused.out, "") << c.args;
    EXPECT_EQ(refused.err, c.message) << c.args;
    EXPECT_EQ(ReadAll(path("out.cfg")), "older\r\n") << c.args;
  }
  std::vector<std::string> names = folder.names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.cfg", "err.txt", "foreign.cfg", "out.cfg", "out.txt", "run.sh"}));
  EXPECT_EQ(run("set " + a + " Callsign=X").status, 2);  // no -o
}

}  // namespace
}  // namespace tarnvik
