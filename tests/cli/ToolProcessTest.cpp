// The tool as a process, the same on every system: file names in any
// language reach it whole and name the files they name (on Windows through
// the wide command line), and standard input and output carry the bytes of
// a file as they are (binary on Windows: CR LF stays, byte 0x1A is no end).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "support/TestSystem.h"
#include "support/ToolProcess.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;

const std::string kUtc = "--utc=2026-07-03T09:05";

class ToolProcess : public ::testing::Test {
 protected:
  // The tool with `arguments`, standard input from `input` (none when empty).
  test::ToolRun run(const std::vector<std::string>& arguments, const std::string& input = {}) {
    std::vector<std::string> line{test::ToolPath()};
    line.insert(line.end(), arguments.begin(), arguments.end());
    const int status = test::RunProgram(line, input, streams.path("out"), streams.path("err"));
    return {status, ReadAll(streams.path("out")), ReadAll(streams.path("err"))};
  }

  test::TempFolder dir;
  test::TempFolder streams;
};

TEST_F(ToolProcess, NamesInAnyLanguageNameTheirFiles) {
  const std::string finnish = dir.path("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4");
  fs::create_directory(platform::PathOf(finnish));
  const std::string plain = dir.path("plain.cfg"), umlaut = dir.path("unit \xC3\xA4.cfg");
  const std::string chinese = dir.path("\xE9\x85\x8D\xE7\xBD\xAE.bin");
  const std::string inFolder = platform::TextOf(platform::PathOf(finnish) / "unit.cfg");
  ASSERT_EQ(run({"defaults", kUtc, "-o", plain}).status, 0);
  ASSERT_EQ(run({"defaults", kUtc, "-o", umlaut}).status, 0);
  EXPECT_EQ(ReadAll(umlaut), ReadAll(plain));
  EXPECT_EQ(run({"encode", umlaut, kUtc, "--stamp=1", "-o", chinese}).status, 0);
  EXPECT_EQ(ReadAll(chinese).size(), 2048u);
  EXPECT_EQ(run({"decode", chinese, "-o", inFolder}).status, 0);
  EXPECT_EQ(ReadAll(inFolder), ReadAll(plain));
  const test::ToolRun checked = run({"check", inFolder, kUtc});
  EXPECT_EQ(checked.out, "OK\n") << "status " << checked.status << ": " << checked.err;

  const std::string missing = dir.path("\xE4\xB8\x8D\xE5\x9C\xA8.cfg");
  const test::ToolRun refused = run({"check", missing});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "Unable to read " + missing + ": No such file or directory\n");
}

TEST_F(ToolProcess, StandardStreamsCarryTheBytesAsTheyAre) {
  const std::string cfg = dir.path("unit.cfg"), image = dir.path("unit.bin");
  ASSERT_EQ(run({"defaults", kUtc, "-o", dir.path("start.cfg")}).status, 0);
  ASSERT_EQ(run({"set", dir.path("start.cfg"), "Txdelay=282", "Quiettime=269", "Floodtimeout=26", "-o", cfg}).status,
            0);
  ASSERT_EQ(run({"encode", cfg, kUtc, "--stamp=10", "-o", image}).status, 0);
  const std::string bytes = ReadAll(image);
  for (const char c : {'\n', '\r', '\x1a'}) ASSERT_NE(bytes.find(c), std::string::npos) << int(c);

  const test::ToolRun decoded = run({"decode", "-", "-o", "-"}, image);
  EXPECT_EQ(decoded.status, 0) << decoded.err;
  EXPECT_EQ(decoded.out, ReadAll(cfg)) << "CR LF as written, nothing added";
  const test::ToolRun encoded = run({"encode", "-", kUtc, "--stamp=10", "-o", "-"}, cfg);
  EXPECT_EQ(encoded.status, 0) << encoded.err;
  EXPECT_EQ(encoded.out, bytes);
  EXPECT_EQ(run({"check", "-", kUtc}, cfg).out, "OK\n");
  EXPECT_EQ(run({"check", "-"}).status, 1) << "no input: an empty file, not one of ours";
}

}  // namespace
}  // namespace tarnvik
