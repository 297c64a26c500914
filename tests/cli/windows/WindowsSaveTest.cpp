// What Windows adds to the ways the tool's output files are saved: the
// read-only attribute refuses the save, a file another program holds open
// without letting it be replaced is left whole, and a hidden file stays
// hidden when it is replaced. Run in the test's own process, as main() runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>

#include "../InProcessTool.h"
#include "platform/PathText.h"

namespace tarnvik {
namespace {

using test::ReadAll;

struct WindowsSaveCase {
  const char* name;
  DWORD attributes;  // added to the old file's
  bool heldOpen;     // by a handle that does not share deleting
  int status;
  std::string err;  // "%" stands for the old file
};

[[maybe_unused]] void PrintTo(const WindowsSaveCase& c, std::ostream* out) { *out << c.name; }

const WindowsSaveCase kWindowsSaveCases[] = {
    {"ReadOnly", FILE_ATTRIBUTE_READONLY, false, 2, "Unable to write to %.\nPermission denied.\n"},
    {"HeldOpen", 0, true, 2, "Unable to write to %.\n"},
    {"Hidden", FILE_ATTRIBUTE_HIDDEN, false, 0, ""},
};

class WindowsSave : public ::testing::TestWithParam<WindowsSaveCase> {};

TEST_P(WindowsSave, LeavesTheOldFileWholeOrKeepsItsAttributes) {
  const WindowsSaveCase& c = GetParam();
  test::TempFolder dir;
  const std::string old = dir.path("\xE9\x85\x8D\xE7\xBD\xAE.cfg");
  ASSERT_EQ(test::RunInProcess("defaults --utc 2026-07-03T09:05 -o " + old, dir.root()).status, 0);
  const std::string before = ReadAll(old);
  const std::wstring wide = platform::PathOf(old).native();
  SetFileAttributesW(wide.c_str(), GetFileAttributesW(wide.c_str()) | c.attributes);
  const HANDLE held = c.heldOpen ? CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr)
                                 : INVALID_HANDLE_VALUE;
  const test::ToolRun run = test::RunInProcess("set " + old + " Callsign=OH2XYZ -o " + old, dir.root());
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  EXPECT_EQ(run.status, c.status);
  std::string expected = c.err;
  if (const auto at = expected.find('%'); at != std::string::npos) expected.replace(at, 1, old);
  EXPECT_EQ(run.err.substr(0, expected.size()), expected) << run.err;
  EXPECT_EQ(ReadAll(old) == before, c.status != 0);
  EXPECT_EQ(GetFileAttributesW(wide.c_str()) & c.attributes, c.attributes) << "the attribute stays";
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(dir.names().size(), 1u) << "nothing left beside it";
}

INSTANTIATE_TEST_SUITE_P(EveryAttribute, WindowsSave, ::testing::ValuesIn(kWindowsSaveCases),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace tarnvik
