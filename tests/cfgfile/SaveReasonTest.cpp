// Why a save failed travels with "Unable to write to FILE": the system's error
// text, or the program's own reason where the system has none.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <ostream>

#include "cfgfile/AtomicFile.h"
#include "core/OperationError.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

struct ReasonCase {
  const char* name;
  std::function<void(const test::TempFolder&)> arrange;    // the target is "target"
  std::function<void(const test::TempFolder&)> meanwhile;  // while the new content is prepared
  const char* reason;
};

[[maybe_unused]] void PrintTo(const ReasonCase& c, std::ostream* out) { *out << c.name; }

void Replace(const test::TempFolder& dir) {
  test::WriteAll(dir.path("other"), "other");
  fs::rename(dir.path("other"), dir.path("target"));
}

const ReasonCase kCases[] = {
    {"Folder", [](const auto& d) { fs::create_directory(d.path("target")); }, nullptr, "not a regular file"},
    {"Pipe", [](const auto& d) { ::mkfifo(d.path("target").c_str(), 0644); }, nullptr, "not a regular file"},
    {"MissingFolder", [](const auto& d) { fs::create_symlink(d.path("missing/target"), d.path("target")); }, nullptr,
     "No such file or directory"},
    {"LinkLoop", [](const auto& d) { fs::create_symlink(d.path("target"), d.path("target")); }, nullptr,
     "Too many levels of symbolic links"},
    {"ReadOnlyFile",
     [](const auto& d) {
       test::WriteAll(d.path("target"), "old");
       ::chmod(d.path("target").c_str(), 0444);
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

INSTANTIATE_TEST_SUITE_P(EveryFailure, SaveReason, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarnvik
