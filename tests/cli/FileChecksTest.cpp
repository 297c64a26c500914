// The files a command line names, checked before anything is touched: a
// trace or an output that names another file of the command (also through a
// link or a second name), or lies among the simulated unit's files, or a
// device command's output on standard output, is a usage error; nothing is
// read, written or asked, and the message names both files. Every file a
// device command writes must be a regular file or nothing, in a folder that is
// there, and reached through no link planted in a shared folder. An option
// given an empty value is a usage error. Run in the test's own process, as
// main() runs.
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
  std::string err;   // the same
  bool unitFromEnvironment = false;
  test::OnlyOn only = test::OnlyOn::Any;  // links, a named pipe, POSIX's devices, Windows' devices
  bool asRoot = false;                    // a link of another user's
};

const char* const kPlanted = "%shared/planted is a link another user placed in a shared folder; it is not followed.\n";

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
    // Every output is looked at before the unit is asked, not only the trace.
    {"OutputIsAFolder", "read -o %folder --simulate %u", "Unable to write to %folder.\nNot a regular file.\n"},
    {"OutputInAMissingFolder", "read -o %missing/r.cfg --simulate %u",
     "Unable to write to %missing/r.cfg.\nNo such file or directory.\n"},
    {"OutputIsReadOnly", "read -o %readonly.cfg --simulate %u",
     "Unable to write to %readonly.cfg.\nPermission denied.\n"},
    {"RawIsAPipe", "read -o %r.cfg --raw %pipe --simulate %u", "Unable to write to %pipe.\nNot a regular file.\n",
     false, test::OnlyOn::Posix},
    {"BackupIsTheNullDevice", "write %mine.cfg --backup /dev/null --simulate %u",
     "Unable to write to /dev/null.\nNot a regular file.\n", false, test::OnlyOn::Posix},
    {"TraceIsALinkPlantedInASharedFolder", "version --simulate %u --trace %shared/planted",
     std::string("Unable to write to %shared/planted.\n") + kPlanted, false, test::OnlyOn::Posix, true},
    {"OutputIsALinkPlantedInASharedFolder", "read -o %shared/planted --simulate %u",
     std::string("Unable to write to %shared/planted.\n") + kPlanted, false, test::OnlyOn::Posix, true},
    {"BackupIsALinkPlantedInASharedFolder", "write %mine.cfg --backup %shared/planted --simulate %u",
     std::string("Unable to write to %shared/planted.\n") + kPlanted, false, test::OnlyOn::Posix, true},
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
    WriteAll(path("readonly.cfg"), "keep me");
    fs::permissions(platform::PathOf(path("readonly.cfg")), fs::perms::owner_read);
    if (!test::OnPosix()) return;
    fs::create_symlink(path("u/memory.bin"), path("memory-link"));
    fs::create_symlink("old.cfg", path("old-link"));
    test::MakeNamedPipe(path("pipe"));
    WriteAll(path("victim.cfg"), "victim");
    planted = test::PlantLink(path("shared"), "planted", path("victim.cfg"));
  }
  test::ToolRun run(const std::string& line) { return test::RunInProcess(line, scratch.root()); }
  std::string path(const std::string& name) const { return scratch.path(name); }

  test::TempFolder scratch;
  bool planted = false;  // shared/planted is another user's link
};

TEST_P(FileChecks, AreRefusedBeforeAnythingIsTouched) {
  const FileCase& c = GetParam();
  if (!test::RunsHere(c.only)) GTEST_SKIP() << "not on this system";
  if (c.asRoot && !planted) GTEST_SKIP() << "needs root, to give a link to another user";
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

// An empty value names nothing: it is refused as a usage error, not taken for
// an option left out (no backup, the real unit, no trace).
const char* const kEmptyValues[] = {
    "write %mine.cfg --simulate %u --backup ''",
    "version --simulate '' --device ''",
    "version --simulate %u --device ''",
    "read -o %r.cfg --simulate %u --raw ''",
    "version --simulate %u --trace ''",
    "read -o '' --simulate %u",
    "defaults -o ''",
    "version --simulate %u --utc ''",
    "check ''",
    "get %mine.cfg ''",
};

TEST_F(FileChecks, AnEmptyValueIsAUsageError) {
  const auto before = test::Snapshot(scratch.root());
  for (const char* line : kEmptyValues) {
    const test::ToolRun refused = run(line);
    EXPECT_EQ(refused.status, 2) << line;
    EXPECT_NE(refused.err.find(": an empty value names nothing\n"), std::string::npos) << line << ": " << refused.err;
    EXPECT_EQ(refused.out, "") << line;
  }
  EXPECT_EQ(test::Snapshot(scratch.root()), before);
}

// The trace is written beside the old file and takes its place at the end:
// the old file is never emptied where it stands (its second name keeps it).
TEST_F(FileChecks, TheTraceTakesTheOldFilesPlace) {
  WriteAll(path("trace.txt"), "old trace\n");
  fs::create_hard_link(platform::PathOf(path("trace.txt")), platform::PathOf(path("trace-name")));
  const test::ToolRun traced = run("version --simulate %u --trace %trace.txt");
  EXPECT_EQ(traced.status, 0) << traced.err;
  EXPECT_EQ(ReadAll(path("trace-name")), "old trace\n");
  EXPECT_NE(ReadAll(path("trace.txt")).find("> 00 fb"), std::string::npos);
  for (const std::string& name : scratch.names()) EXPECT_FALSE(name.ends_with(".tmp")) << name;
}

}  // namespace
}  // namespace tarnvik
