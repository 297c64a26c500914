// What the tool does where bash is the point, on POSIX systems: pipes,
// process substitution and standard input; descriptors closed at start; file
// size limits; devices such as /dev/full and /dev/zero; file names that are
// bytes rather than text; and the shell loops operators write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "DeviceCliFixture.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::Cli;
using test::DeviceCli;
using test::ReadAll;
using test::RunResult;

TEST_F(Cli, ResultThatCannotBePrintedIsAFailure) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("d.cfg")).status, 0);
  const RunResult full = shell(tool() + " check " + path("d.cfg") + utc + " >/dev/full");
  EXPECT_EQ(full.status, 2);
  EXPECT_EQ(full.err, "Unable to write to standard output.\n");
}

TEST_F(Cli, InputsComeThroughPipesAndStandardInput) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("d.cfg")).status, 0);
  const std::string cfg = path("d.cfg");
  for (const std::string& line :
       {tool() + " check <(cat " + cfg + ")", "cat " + cfg + " | " + tool() + " check /dev/stdin",
        "cat " + cfg + " | " + tool() + " check -", tool() + " check - <" + cfg}) {
    const RunResult result = shell(line + utc);
    EXPECT_EQ(result.status, 0) << line << "\n" << result.err;
    EXPECT_EQ(result.out, "OK\n") << line;
  }
  ASSERT_EQ(run("encode " + cfg + utc + " -o " + path("file.bin")).status, 0);
  ASSERT_EQ(shell("cat " + cfg + " | " + tool() + " encode -" + utc + " -o " + path("pipe.bin")).status, 0);
  EXPECT_EQ(ReadAll(path("pipe.bin")), ReadAll(path("file.bin")));
  ASSERT_EQ(shell("cat " + path("file.bin") + " | " + tool() + " decode - -o " + path("back.cfg")).status, 0);
  EXPECT_EQ(ReadAll(path("back.cfg")), ReadAll(cfg));

  const RunResult empty = shell(tool() + " check - </dev/null");  // an empty file: not one of ours
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n");
}

// A stream has no size to look at first: it is read up to a bound and refused beyond it.
TEST_F(Cli, EndlessStreamsAreRefusedAtTheirBound) {
  const RunResult zeros = run("check /dev/zero");
  EXPECT_EQ(zeros.status, 2);
  EXPECT_EQ(zeros.err, "Unable to read /dev/zero: a configuration file read as a stream may be at most 16 MiB long\n");
  const RunResult piped = shell("head -c 17000000 /dev/zero | " + tool() + " check -");
  EXPECT_EQ(piped.status, 2);
  EXPECT_NE(piped.err.find("standard input"), std::string::npos) << piped.err;
  EXPECT_EQ(shell("head -c 5000 /dev/zero | " + tool() + " decode - -o " + path("x.cfg")).status, 1);
  EXPECT_EQ(run("check " + dir.string()).status, 2);  // a folder
  EXPECT_FALSE(fs::exists(path("x.cfg")));
}

// File names are the file system's bytes, and the tool prints them as they are.
TEST_F(Cli, FileNamesAreShownAsTheirBytes) {
  for (const std::string missing : {"nonexistent-\xc3\xa9t\xc3\xa9", "latin-\xe9t\xe9"}) {
    const std::string target = path(missing + "/x.cfg");
    const RunResult result = run("defaults -o " + target);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1), "Unable to write to " + target + ".\n");
    EXPECT_NE(result.err.find("No such file or directory"), std::string::npos) << result.err;
  }
}

TEST_F(Cli, DiffAndGetReadAnInputFromAPipe) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("a.cfg")).status, 0);
  ASSERT_EQ(run("encode " + path("a.cfg") + utc + " -o " + path("image.cfg")).status, 0);  // an image named .cfg
  const std::string changed = defaultsWith("PTT=0", "PTT=1");
  const RunResult piped = shell("cat " + path("image.cfg") + " | " + tool() + " diff - " + changed);
  EXPECT_EQ(piped.status, 1);
  EXPECT_EQ(piped.out, "Ptt: 0 \"separate output\" -> 1 \"2k2 resistor\"\n");
  EXPECT_EQ(shell("cat " + changed + " | " + tool() + " get - Ptt").out, "1\n");
}

// The use the commands are made for: ten units' files from one template.
TEST_F(Cli, AShellLoopMakesTenUnitsFromOneTemplate) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("a.cfg")).status, 0);
  const RunResult loop = shell("set -e; for n in $(seq 1 10); do " + tool() + " set " + path("a.cfg") +
                               " Callsign=OH2XYZ Ssid=$n \"Beacon1_msg=Unit $n\" -o " + path("unit$n.cfg") + "; done");
  ASSERT_EQ(loop.status, 0) << loop.err;
  for (int n = 1; n <= 10; ++n) {
    const std::string unit = path("unit" + std::to_string(n) + ".cfg");
    EXPECT_EQ(run("diff " + path("unit1.cfg") + " " + unit).out, n == 1 ? ""
                                                                        : "Ssid: \"1\" -> \"" + std::to_string(n) +
                                                                              "\"\nBeacon1_msg: \"Unit 1\" -> \"Unit " +
                                                                              std::to_string(n) + "\"\n");
    EXPECT_EQ(run("check " + unit).out, "OK\n");
  }
}

// Where the process boundary is the point: descriptors closed at start, a
// file size limit that cuts the trace short (the old trace then stays), a
// firmware file that is a pipe.
TEST_F(DeviceCli, AtTheProcessBoundary) {
  writeDefaults();
  std::ofstream(path("fw.bin"), std::ios::binary) << std::string(40, 'f');
  std::ofstream(path("t2")) << "old trace\n";
  const std::string t = tool(), u = " --simulate " + unit.string(), base = path("start.cfg");
  const std::regex reports("(\\S+Z [<>]( [0-9a-f]{2}){65}\n)+");
  const std::string notOurs = "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n";
  const std::string closedOutput = "Unable to write to standard output.\n";
  struct Case {
    const char* name;
    std::string line;
    int status;
    std::string err;
    std::function<void(const RunResult&)> more;
  };
  const Case cases[] = {
      {"LogNeverLandsInTheTrace", t + " version --trace " + path("t1") + u + " >&-", 2, closedOutput,
       [&](const RunResult&) { EXPECT_TRUE(std::regex_match(ReadAll(path("t1")), reports)) << ReadAll(path("t1")); }},
      {"OutputFileWithStandardOutputClosed", t + " defaults --utc 2026-07-03T09:05 -o " + path("d1.cfg") + " >&-", 0,
       "", [&](const RunResult&) { EXPECT_EQ(ReadAll(path("d1.cfg")), ReadAll(base)); }},
      {"ResultWithStandardOutputClosed", t + " check " + base + " >&-", 2, closedOutput, nullptr},
      {"AllThreeClosed", t + " defaults --utc 2026-07-03T09:05 -o " + path("d2.cfg") + " <&- >&- 2>&-", 0, "",
       [&](const RunResult&) { EXPECT_EQ(ReadAll(path("d2.cfg")), ReadAll(base)); }},
      {"StandardInputClosed", t + " check - <&-", 1, notOurs, nullptr},
      {"TraceCutShortByAFileSizeLimit",
       "trap '' XFSZ; ulimit -f 8; " + t + " read -o " + path("r.cfg") + " --trace " + path("t2") + u, 2,
       "Unable to write to " + path("t2") + ".\nFile too large.\n",
       [&](const RunResult& result) {
         EXPECT_EQ(result.lines().back(), "Firmware version: 1.04");  // the operation's own outcome first
         EXPECT_EQ(ReadAll(path("r.cfg")), ReadAll(base));
         EXPECT_EQ(ReadAll(path("t2")), "old trace\n");
         for (const auto& entry : fs::directory_iterator(dir)) EXPECT_NE(entry.path().extension(), ".tmp");
       }},
      {"FirmwareThroughAPipe", t + " firmware <(cat " + path("fw.bin") + ")" + u, 0, "",
       [&](const RunResult& result) {
         EXPECT_EQ(result.lines().back(), "Firmware upgrade success");
         EXPECT_EQ(ReadAll(unit / "firmware.bin"), std::string(40, 'f') + std::string(24, '\0'));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = shell(c.line);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    if (c.more) c.more(result);
  }
}

}  // namespace
}  // namespace tarnvik
