#pragma once
// Runs the built tarnvik-cli as a process, as a script would, in a private
// folder, and reads back what it printed and wrote.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "support/ToolProcess.h"

namespace tarnvik::test {

namespace fs = std::filesystem;

using RunResult = ToolRun;

// Puts the right checksum (the sum of bytes 4 to 1395) into an image's first four bytes.
inline void FixChecksum(std::string& image) {
  std::uint32_t sum = 0;
  for (int i = 4; i <= 1395; ++i) sum += std::uint8_t(image[std::size_t(i)]);
  for (std::size_t i = 0; i < 4; ++i) image[i] = char(sum >> (8 * i));
}

class Cli : public ::testing::Test {
 protected:
  static std::string tool() { return ToolPath(); }

  // Runs the tool with the given arguments (paths without blanks or quotes).
  RunResult run(const std::string& args) { return RunTool(args, folder.root()); }

  // Runs one bash command line; see RunShell.
  RunResult shell(const std::string& line) { return RunShell(line, folder.root()); }
  std::string path(const std::string& name) const { return platform::TextOf(dir / platform::PathOf(name)); }

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

  TempFolder folder;
  fs::path dir = platform::PathOf(folder.root());
  const std::string utc = " --utc 2026-07-03T09:05 --stamp 1234";
};

}  // namespace tarnvik::test
