// The files a command line names, checked before anything is touched: a
// trace or an output that names another file of the command (also through a
// link or a second name), or lies among the simulated unit's files, or a
// device command's output on standard output, is a usage error; nothing is
// read, written or asked, and the message names both files. A trace must be a
// regular file or nothing. Run in the test's own process, as main() runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "InProcessTool.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::Filled;
using test::ReadAll;
using test::WriteAll;

struct FileCase {
  const char* name;
  const char* line;  // "%" stands for the scratch folder
  const char* err;   // the same
  bool unitFromEnvironment = false;
  test::OnlyOn only = test::OnlyOn::Any;  // links, a named pipe, POSIX's devices, Windows' devices
};

const FileCase kRefused[] = {
    {"TraceIsTheFileToWrite", "write %mine.cfg --simulate %u --trace %mine.cfg",
     "--trace %mine.cfg would overwrite the configuration file to write (%mine.cfg); name another file.\n"},
    {"TraceIsTheFirmware", "firmware %fw.bin --simulate %u --trace %fw.bin",
     "--trace %fw.bin would overwrite the firmware file (%fw.bin); name another file.\n"},
    {"TraceIsTheUnitsMemory", "version --simulate %u --trace %u/memory.bin",
     "--trace %u/memory.bin would write into the simulated unit in %u; name another file.\n"},
    {"TraceIsALinkToTheUnitsMemory", "version --simulate %u --trace %memory-link",
     "--trace %memory-link would write into the simulated unit in %u; name another file.\n", false,
     test::OnlyOn::Posix},
    {"TraceIsASecondNameOfAUnitFile", "version --simulate %u --trace %version-name",
     "--trace %version-name would write into the simulated unit in %u; name another file.\n"},
    {"TraceIsNewInTheUnitsFolder", "version --simulate %u --trace %u/trace.txt",
     "--trace %u/trace.txt would write into the simulated unit in %u; name another file.\n"},
    {"TraceInTheUnitFolderOfTheEnvironment", "version --trace %u/memory.bin",
     "--trace %u/memory.bin would write into the simulated unit in %u; name another file.\n", true},
    {"RawIsTheOutput", "read -o %old.cfg --raw %old.cfg --simulate %u",
     "--raw %old.cfg would overwrite the configuration file of -o (%old.cfg); name another file.\n"},
    {"RawIsALinkToTheOutput", "read -o %old.cfg --raw %old-link --simulate %u",
     "--raw %old-link would overwrite the configuration file of -o (%old.cfg); name another file.\n", false,
     test::OnlyOn::Posix},
    {"RawIsTheNewOutput", "read -o %new.cfg --raw %new.cfg --simulate %u",
     "--raw %new.cfg would overwrite the configuration file of -o (%new.cfg); name another file.\n"},
    {"BackupIsTheFileToWrite", "write %mine.cfg --backup %mine.cfg --simulate %u",
     "--backup %mine.cfg would overwrite the configuration file to write (%mine.cfg); name another file.\n"},
    {"BackupImageIsTheFileToWrite", "write %b.bin --backup %b.cfg --simulate %u",
     "--backup %b.cfg would overwrite the configuration file to write (%b.bin); name another file.\n"},
    {"TraceIsTheBackupImage", "write %mine.cfg --backup %b2.cfg --trace %b2.bin --simulate %u",
     "--trace %b2.bin would overwrite the backup's image (%b2.bin); name another file.\n"},
    {"OutputInTheUnitsFolder", "read -o %u/read.cfg --simulate %u",
     "-o %u/read.cfg would write into the simulated unit in %u; name another file.\n"},
    {"DeviceOutputOnStandardOutput", "read -o - --simulate %u",
     "-o -: standard output carries the unit's log; name a file.\n"},
    {"TraceOnStandardOutput", "version --simulate %u --trace -",
     "--trace -: standard output carries the unit's log; name a file.\n"},
    {"TraceIsAFolder", "version --simulate %u --trace %folder", "Unable to write to %folder.\nNot a regular file.\n"},
    {"TraceIsAPipe", "version --simulate %u --trace %pipe", "Unable to write to %pipe.\nNot a regular file.\n", false,
     test::OnlyOn::Posix},
    {"TraceIsADevice", "version --simulate %u --trace /dev/full",
     "Unable to write to /dev/full.\nNot a regular file.\n", false, test::OnlyOn::Posix},
    {"TraceIsTheNullDevice", "version --simulate %u --trace NUL", "Unable to write to NUL.\nNot a regular file.\n",
     false, test::OnlyOn::Windows},
    {"TraceInAMissingFolder", "version --simulate %u --trace %missing/t.txt",
     "Unable to write to %missing/t.txt.\nNo such file or directory.\n"},
};

[[maybe_unused]] void PrintTo(const FileCase& c, std::ostream* out) { *out << c.name; }

class FileChecks : public ::testing::TestWithParam<FileCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(run("defaults --utc 2026-07-03T09:05 -o %mine.cfg").status, 0);
    ASSERT_EQ(run("write %mine.cfg --simulate %u").status, 0);
    WriteAll(path("b.bin"), ReadAll(path("mine.cfg")));
    WriteAll(path("old.cfg"), "keep me");
    WriteAll(path("fw.bin"), std::string(100, 'f'));
    fs::create_hard_link(platform::PathOf(path("u/version")), platform::PathOf(path("version-name")));
    fs::create_directory(platform::PathOf(path("folder")));
    if (!test::OnPosix()) return;
    fs::create_symlink(path("u/memory.bin"), path("memory-link"));
    fs::create_symlink("old.cfg", path("old-link"));
    test::MakeNamedPipe(path("pipe"));
  }
  test::ToolRun run(const std::string& line) { return test::RunInProcess(line, scratch.root()); }
  std::string path(const std::string& name) const { return scratch.path(name); }

  test::TempFolder scratch;
};

TEST_P(FileChecks, AreRefusedBeforeAnythingIsTouched) {
  const FileCase& c = GetParam();
  if (!test::RunsHere(c.only)) GTEST_SKIP() << "not on this system";
  if (c.unitFromEnvironment) test::SetEnvironment("TARNVIK_SIMULATED_UNIT", Filled("%u", scratch.root()).c_str());
  const auto before = test::Snapshot(scratch.root());
  const test::ToolRun refused = run(c.line);
  test::SetEnvironment("TARNVIK_SIMULATED_UNIT", nullptr);
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, Filled(c.err, scratch.root()));
  EXPECT_EQ(refused.out, "");  // the unit was not asked: not even the found line
  EXPECT_EQ(test::Snapshot(scratch.root()), before);
}

INSTANTIATE_TEST_SUITE_P(EveryCollision, FileChecks, ::testing::ValuesIn(kRefused),
                         [](const auto& param) { return std::string(param.param.name); });

// What the checks must let through: an output that is the input (read whole
// first), and files beside the unit's folder.
TEST_F(FileChecks, LetThroughWhatIsSafe) {
  EXPECT_EQ(run("set %mine.cfg Callsign=OH2XYZ -o %mine.cfg").status, 0);
  EXPECT_NE(ReadAll(path("mine.cfg")).find("Callsign=OH2XYZ"), std::string::npos);
  EXPECT_EQ(run("encode %mine.cfg -o %mine.cfg").status, 0);
  EXPECT_EQ(ReadAll(path("mine.cfg")).size(), 2048u);
  const test::ToolRun traced = run("read -o %read.cfg --raw %read.bin --simulate %u --trace %u-trace.txt");
  EXPECT_EQ(traced.status, 0) << traced.err;
  EXPECT_EQ(ReadAll(path("read.bin")), ReadAll(path("u/memory.bin")));
  EXPECT_NE(ReadAll(path("u-trace.txt")).find("> 00 fc"), std::string::npos);
}

}  // namespace
}  // namespace tarnvik
