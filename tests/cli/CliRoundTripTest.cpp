// The command-line tool and the window make the same image: random settings
// saved to a file and encoded by tarnvik-cli (run as a process, with a fixed
// clock and stamp) give exactly the image that Write config encodes from the
// settings in the window.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "cfgfile/ConfigFileOps.h"
#include "image/EncodeForWrite.h"
#include "support/FixedClock.h"
#include "support/RandomSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

// Runs the tool with these arguments, its messages going to `messages`;
// returns its exit status (-1 when it did not exit).
int RunTool(const std::vector<std::string>& args, const std::string& messages) {
  const std::string tool = (fs::read_symlink("/proc/self/exe").parent_path() / "tarnvik-cli").string();
  std::vector<char*> argv{const_cast<char*>(tool.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    const int err = ::open(messages.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, STDERR_FILENO);
    ::dup2(err, STDOUT_FILENO);
    ::execv(tool.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The file carries no clock: the tool's clock fields are those of its
// start-up from --utc, so the window's are too. Texts are ones the file keeps
// exactly; numbers may be in any form the operator types (the file writes
// them in plain decimal, which encodes the same).
TEST(CliRoundTrip, EncodeOfASavedFileEqualsTheWindowsImage) {
  test::TempFolder folder(test::MemoryBackedFolder());
  const PcClock clock = test::FixedUtcClock(2026, 7, 3, 9, 5);
  std::mt19937 rng(3107);
  for (int round = 0; round < 25; ++round) {
    DeviceSettings window = test::RandomValidSettings(rng, {.fileSafe = true});
    CopyPcClock(window, clock);
    const auto stamp = static_cast<std::uint16_t>(rng() % 10000);
    SaveConfigFile(window, folder.path("window.cfg"));

    ConfigImage expected;
    test::RecordingOperator op;
    ASSERT_TRUE(EncodeForWrite(window, expected, op, clock, [stamp] { return stamp; })) << "round " << round;
    const int status = RunTool({"encode", folder.path("window.cfg"), "--utc", "2026-07-03T09:05", "--stamp",
                                std::to_string(stamp), "-o", folder.path("tool.bin")},
                               folder.path("messages.txt"));
    ASSERT_EQ(status, 0) << "round " << round << ": " << test::ReadAll(folder.path("messages.txt"));
    const std::string image = test::ReadAll(folder.path("tool.bin"));
    ASSERT_EQ(image, std::string(expected.bytes.begin(), expected.bytes.end())) << "round " << round;
  }
}

}  // namespace
}  // namespace tarnvik
