#pragma once
// Runs the built tarnvik-cli as a process, as a script would, in a private
// folder, and reads back what it printed and wrote.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tarnvik::test {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;  // exit status; -1 when the tool was killed by a signal
  std::string out;
  std::string err;
};

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline void WriteAll(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Puts the right checksum (the sum of bytes 4 to 1395) into an image's first four bytes.
inline void FixChecksum(std::string& image) {
  std::uint32_t sum = 0;
  for (int i = 4; i <= 1395; ++i) sum += std::uint8_t(image[std::size_t(i)]);
  for (std::size_t i = 0; i < 4; ++i) image[i] = char(sum >> (8 * i));
}

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tarnvik-cli-" + std::to_string(getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  static std::string tool() { return (fs::read_symlink("/proc/self/exe").parent_path() / "tarnvik-cli").string(); }

  // Runs the tool with the given arguments (paths without blanks or quotes).
  RunResult run(const std::string& args) { return shell(tool() + " " + args); }

  // Runs one bash command line (pipes, redirections, process substitution)
  // and collects the standard output and error of all of it; the status is
  // that of its last command.
  RunResult shell(const std::string& line) {
    WriteAll(dir / "run.sh", line + "\n");
    const std::string command =
        "bash " + (dir / "run.sh").string() + " >" + (dir / "out.txt").string() + " 2>" + (dir / "err.txt").string();
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) && WEXITSTATUS(raw) < 128 ? WEXITSTATUS(raw) : -1;
    return {status, ReadAll(dir / "out.txt"), ReadAll(dir / "err.txt")};
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }

  // A configuration file of the start-up settings with one line replaced.
  std::string defaultsWith(const std::string& from, const std::string& to) {
    EXPECT_EQ(run("defaults --utc 2026-07-03T09:05 -o " + path("base.cfg")).status, 0);
    std::string content = ReadAll(path("base.cfg"));
    const auto at = content.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) content.replace(at, from.size(), to);
    WriteAll(path("changed.cfg"), content);
    return path("changed.cfg");
  }

  // The image of the start-up settings, as the tool encodes it.
  std::string defaultImage() {
    EXPECT_EQ(run("defaults" + utc + " -o " + path("start.cfg")).status, 0);
    EXPECT_EQ(run("encode " + path("start.cfg") + utc + " -o " + path("start.bin")).status, 0);
    return ReadAll(path("start.bin"));
  }

  fs::path dir;
  const std::string utc = " --utc 2026-07-03T09:05 --stamp 1234";
};

}  // namespace tarnvik::test
