// Why a save failed travels with "Unable to write to FILE": the system's error
// text, or the program's own reason where the system has none.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>

#include "cfgfile/AtomicFile.h"
#include "core/OperationError.h"
#include "support/TestFiles.h"
#include "support/TestSystem.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

struct ReasonCase {
  const char* name;
  std::function<void(const test::TempFolder&)> arrange;    // the target is "target"
  std::function<void(const test::TempFolder&)> meanwhile;  // while the new content is prepared
  const char* reason;
  bool posixOnly = false;  // a named pipe, or links (which Windows lets only privileged users make)
};

[[maybe_unused]] void PrintTo(const ReasonCase& c, std::ostream* out) { *out << c.name; }

void Replace(const test::TempFolder& dir) {
  test::WriteAll(dir.path("other"), "other");
  fs::rename(platform::PathOf(dir.path("other")), platform::PathOf(dir.path("target")));
}

const ReasonCase kReasonCases[] = {
    {"Folder", [](const auto& d) { fs::create_directory(platform::PathOf(d.path("target"))); }, nullptr,
     "not a regular file"},
    {"Pipe", [](const auto& d) { test::MakeNamedPipe(d.path("target")); }, nullptr, "not a regular file", true},
    {"MissingFolder", [](const auto& d) { fs::create_symlink(d.path("missing/target"), d.path("target")); }, nullptr,
     "No such file or directory", true},
    {"LinkLoop", [](const auto& d) { fs::create_symlink(d.path("target"), d.path("target")); }, nullptr,
     "Too many levels of symbolic links", true},
    {"ReadOnlyFile",
     [](const auto& d) {
       test::WriteAll(d.path("target"), "old");
       fs::permissions(platform::PathOf(d.path("target")),
                       fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
     },
     nullptr, "Permission denied"},
    {"ReplacedMeanwhile", [](const auto& d) { test::WriteAll(d.path("target"), "old"); }, Replace,
     "changed by another program meanwhile"},
    {"CreatedMeanwhile", nullptr, [](const auto& d) { test::WriteAll(d.path("target"), "other"); },
     "changed by another program meanwhile"},
};

class SaveReason : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(SaveReason, TravelsWithTheMessage) {
  const ReasonCase& c = GetParam();
  if (c.posixOnly && !test::OnPosix()) GTEST_SKIP() << "POSIX systems only";
  test::TempFolder dir;
  if (c.arrange) c.arrange(dir);
  const std::string target = dir.path("target");
  try {
    AtomicFile out(target);
    out.write("new content");
    if (c.meanwhile) c.meanwhile(dir);
    out.commit();
    ADD_FAILURE() << "saved";
  } catch (const FileWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + target);
    EXPECT_EQ(error.reason(), c.reason);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, SaveReason, ::testing::ValuesIn(kReasonCases),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarnvik
