// What only Windows does to a save: another program that has the file open
// without letting it be deleted (a virus scanner, an editor, a backup) keeps
// it from being replaced. A hold of some seconds is waited out; a longer one
// fails, the old file whole and nothing left beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <ostream>
#include <thread>

#include "cfgfile/AtomicFile.h"
#include "core/OperationError.h"
#include "platform/PathText.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

using std::chrono::milliseconds;

struct HoldCase {
  const char* name;
  milliseconds hold;  // how long the other handle stays open after the save starts
  bool saved;
};

[[maybe_unused]] void PrintTo(const HoldCase& c, std::ostream* out) { *out << c.name; }

const HoldCase kHoldCases[] = {
    {"LetGoWithinTheRetries", milliseconds(2000), true},
    {"HeldLongerThanTheRetries", milliseconds(7000), false},
};

class HeldTarget : public ::testing::TestWithParam<HoldCase> {};

TEST_P(HeldTarget, IsReplacedOnceLetGoOrLeftWhole) {
  const HoldCase& c = GetParam();
  test::TempFolder dir;
  const std::string target = dir.path("unit \xC3\xA4.cfg");
  test::WriteAll(target, "old\r\n");
  const HANDLE held = CreateFileW(platform::PathOf(target).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread other([&] {
    std::this_thread::sleep_for(c.hold);
    CloseHandle(held);
  });
  const auto start = std::chrono::steady_clock::now();
  bool saved = true;
  try {
    AtomicFile out(target);
    out.write("new\r\n\x1a");
    out.commit();
  } catch (const FileWriteError& error) {
    saved = false;
    EXPECT_FALSE(error.reason().empty());
  }
  const auto took = std::chrono::steady_clock::now() - start;
  other.join();
  EXPECT_EQ(saved, c.saved);
  EXPECT_EQ(test::ReadAll(target), c.saved ? "new\r\n\x1a" : "old\r\n");
  if (!c.saved) {
    EXPECT_GE(took, milliseconds(4500)) << "tried again for about five seconds";
  }
  EXPECT_EQ(dir.names(), std::vector<std::string>{"unit \xC3\xA4.cfg"}) << "nothing left beside it";
}

INSTANTIATE_TEST_SUITE_P(EveryHold, HeldTarget, ::testing::ValuesIn(kHoldCases),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace tarnvik
