// What a command says and the status it ends with, for inputs read but
// refused (1), files that cannot be read or written (2), device operations
// that did not get all the way, backups that cannot be made, and outputs on
// standard output. Run in the test's own process, as main() runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "CliFixture.h"
#include "InProcessTool.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::Filled;
using test::ReadAll;
using test::WriteAll;

const std::string kNotOurs = "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.\n";
const std::string kUtc = " --utc 2026-07-03T09:05 --stamp 1";

struct StatusCase {
  const char* name;
  std::string line;  // "%" stands for the scratch folder
  int status;
  std::string err;               // the same
  const char* faults = nullptr;  // the simulated unit's faults file
  const char* outIs = nullptr;   // a file standard output must equal
  test::OnlyOn only = test::OnlyOn::Any;
};

const StatusCase kStatusCases[] = {
    {"DecodeOfJunk", "decode %junk.bin -o %o.cfg", 1,
     "%junk.bin is not a configuration image: an image is exactly 2048 bytes long, this file holds 5.\n"},
    {"CheckOfJunk", "check %junk.bin", 1, kNotOurs},
    {"EncodeOfJunk", "encode %junk.bin -o %o.bin", 1, kNotOurs},
    {"GetFromJunk", "get %junk.bin Callsign", 1, kNotOurs},
    {"SetOnJunk", "set %junk.bin Callsign=X -o %o.cfg", 1, kNotOurs},
    {"DiffOfJunkKeepsItsTwo", "diff %junk.bin %base.cfg", 2, kNotOurs + "Unable to compare %junk.bin.\n"},
    {"MissingInput", "check %missing.cfg", 2, "Unable to read %missing.cfg: No such file or directory\n"},
    // A path from the drive's root on Windows, not a Windows-style option.
    {"PathStartingWithASlash", "check /no-such-tarnvik-folder/unit.cfg", 2,
     "Unable to read /no-such-tarnvik-folder/unit.cfg: No such file or directory\n"},
    {"ByteOrderMarkIsSkipped", "check %bom.cfg" + kUtc, 0, ""},
    {"UnstorableCharacterIsRefused", "check %euro.cfg" + kUtc, 1,
     "Imported configuration file has a character that the unit cannot store in Callsign [Radio]. \n"
     "Operation aborted.\n"},
    {"ReadWhoseVersionQueryFails", "read -o %r.cfg --simulate %u", 1,
     "Tarnvik gave no valid answer to the version query.\n", "other-command 65\n"},
    {"FirmwareWithoutEnd", "firmware /dev/zero --simulate %u", 1, "Firmware file error.\n", nullptr, nullptr,
     test::OnlyOn::Posix},
    // A backup that cannot be written is found before the unit is asked.
    {"BackupInAMissingFolder", "write %base.cfg --backup %none/b.cfg --simulate %u", 2,
     "Unable to write to %none/b.cfg.\n"},
    {"BackupImageOnAFolder", "write %base.cfg --backup %image.cfg --simulate %u", 2,
     "Unable to write to %image.bin.\n"},
    {"BackupOnAFolder", "write %base.cfg --backup %folder --simulate %u", 2, "Unable to write to %folder.\n"},
    {"BackupOfANumberNoFileHolds", "write %base.cfg --backup %b.cfg --simulate %big", 1,
     "'4294967295' is not a valid integer value.\n"
     "Backup failed: the unit's configuration holds a number a configuration file cannot hold (its bytes are kept "
     "in %b.bin). Nothing was written to the unit.\n"},
    {"DefaultsOnStandardOutput", "defaults -o -" + kUtc, 0, "", nullptr, "base.cfg"},
    {"EncodeOnStandardOutput", "encode %base.cfg -o -" + kUtc, 0, "", nullptr, "base.bin"},
    {"DecodeOnStandardOutput", "decode %base.bin -o -" + kUtc, 0, "", nullptr, "base.cfg"},
};

[[maybe_unused]] void PrintTo(const StatusCase& c, std::ostream* out) { *out << c.name; }

// The messages as expected, where a reason line after "Unable to write to
// X." (the system's words, which the expectation leaves open) may come too.
std::string WithoutReasons(const std::string& messages, const std::string& expected) {
  std::istringstream in(messages);
  std::string kept;
  bool afterUnable = false;
  for (std::string line; std::getline(in, line);) {
    const std::string_view rest = std::string_view(expected).substr(std::min(kept.size(), expected.size()));
    const bool reason = afterUnable && !rest.starts_with(line + '\n');
    if (!reason) kept += line + '\n';
    afterUnable = line.starts_with("Unable to write to ");
  }
  return kept;
}

class Statuses : public ::testing::TestWithParam<StatusCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(run("defaults -o %base.cfg" + kUtc).status, 0);
    ASSERT_EQ(run("encode %base.cfg -o %base.bin" + kUtc).status, 0);
    ASSERT_EQ(run("write %base.cfg --simulate %u" + kUtc).status, 0);
    WriteAll(path("junk.bin"), "junk\n");
    WriteAll(path("bom.cfg"), "\xEF\xBB\xBF" + ReadAll(path("base.cfg")));
    std::string euro = ReadAll(path("bom.cfg"));
    WriteAll(path("euro.cfg"), euro.replace(euro.find("Callsign="), 9, "Callsign=\xE2\x82\xAC"));
    fs::create_directory(path("image.bin"));
    fs::create_directory(path("folder"));
    std::string big = ReadAll(path("base.bin"));
    for (std::size_t i = 24; i < 28; ++i) big[i] = '\xff';  // Txdelay
    test::FixChecksum(big);
    fs::create_directory(path("big"));
    WriteAll(path("big/memory.bin"), big);
  }
  test::ToolRun run(const std::string& line) { return test::RunInProcess(line, scratch.root()); }
  std::string path(const std::string& name) const { return scratch.path(name); }

  test::TempFolder scratch;
};

TEST_P(Statuses, EndWithTheirMessageAndStatus) {
  const StatusCase& c = GetParam();
  if (!test::RunsHere(c.only)) GTEST_SKIP() << "not on this system";
  if (c.faults != nullptr) WriteAll(path("u/faults"), c.faults);
  const std::string memory = ReadAll(path("u/memory.bin"));
  const test::ToolRun result = run(c.line);
  EXPECT_EQ(result.status, c.status);
  const std::string expected = Filled(c.err, scratch.root());
  EXPECT_EQ(WithoutReasons(result.err, expected), expected);
  if (c.outIs != nullptr) {
    EXPECT_EQ(result.out, ReadAll(path(c.outIs)));
  }
  EXPECT_EQ(result.out.find("Page written"), std::string::npos);
  EXPECT_EQ(ReadAll(path("u/memory.bin")), memory);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, Statuses, ::testing::ValuesIn(kStatusCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarnvik
