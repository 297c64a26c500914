// The tool against images and files no window would write. Whatever they
// hold, the tool ends with its own message and status (0 done, 1 refused,
// 2 files) and never by a crash; when it refuses, it writes nothing.
//
// The random part runs a fixed number of seeded cases; TARNVIK_SWEEP_RUNS
// asks for more (and TARNVIK_SWEEP_SEED for another seed) in a longer run.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "CliFixture.h"
#include "image/ImageFields.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;
using test::Cli;
using test::ReadAll;
using test::RunResult;
using test::WriteAll;

constexpr std::int64_t kMaxInt32 = 2147483647;

unsigned long FromEnvironment(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtoul(text, nullptr, 10) : fallback;
}

void PutLittleEndian(std::string& image, FieldPos pos, std::uint64_t value) {
  for (std::size_t i = 0; i < pos.size; ++i) image[pos.offset + i] = char(value >> (8 * i));
}

class CliSweep : public Cli {
 protected:
  // Decodes the image; a refusal must come with a message and no file.
  RunResult decode(const std::string& image) {
    WriteAll(path("in.bin"), image);
    fs::remove(path("out.cfg"));
    const RunResult result = run("decode " + path("in.bin") + utc + " -o " + path("out.cfg"));
    EXPECT_TRUE(result.status == 0 || result.status == 1) << result.status << " " << result.err;
    if (result.status != 0) {
      EXPECT_NE(result.err, "");
      EXPECT_FALSE(fs::exists(path("out.cfg")));
    }
    return result;
  }
  // A file the tool wrote reads back and encodes, or is refused by a check.
  void encodeDecoded() {
    const RunResult result = run("encode " + path("out.cfg") + utc + " -o " + path("again.bin"));
    EXPECT_TRUE(result.status == 0 || result.status == 1) << result.status << " " << result.err;
  }
};

// Every u8, u16 and u32 number of the image at its extremes: a u32 of 2^31 or
// more cannot stand in a configuration file and is refused with the window's
// message; everything else decodes into a file that reads back.
TEST_F(CliSweep, EveryNumberFieldAtItsExtremes) {
  const std::string start = defaultImage();
  for (const ImageField& field : ImageFields()) {
    if (field.kind != FieldKind::Number || !field.decoded) continue;
    const std::uint64_t max = (std::uint64_t{1} << (8 * field.pos.size)) - 1;
    for (const std::uint64_t value : {std::uint64_t{0}, max / 2, max / 2 + 1, max}) {
      SCOPED_TRACE(field.setting + " = " + std::to_string(value));
      std::string image = start;
      PutLittleEndian(image, field.pos, value);
      test::FixChecksum(image);
      const RunResult result = decode(image);
      if (std::int64_t(value) > kMaxInt32) {
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "'" + std::to_string(value) + "' is not a valid integer value.\n");
        continue;
      }
      ASSERT_EQ(result.status, 0) << result.err;
      EXPECT_NE(ReadAll(path("out.cfg")).find("=" + std::to_string(value) + "\r\n"), std::string::npos);
      if (value == max) encodeDecoded();
    }
  }
}

// Images of random bytes with a right checksum, most with the right version
// mark so that decoding goes on to the fields.
TEST_F(CliSweep, RandomImages) {
  const std::string start = defaultImage();
  std::mt19937 random(static_cast<std::mt19937::result_type>(FromEnvironment("TARNVIK_SWEEP_SEED", 9)));
  const unsigned long runs = FromEnvironment("TARNVIK_SWEEP_RUNS", 40);
  for (unsigned long run = 0; run < runs; ++run) {
    std::string image = start;
    const bool wholesale = run % 4 == 0;  // every byte random, or a few dozen
    const int changes = wholesale ? 1396 : int(random() % 64) + 1;
    for (int i = 0; i < changes; ++i) image[wholesale ? std::size_t(i) : 4 + random() % 1392] = char(random());
    if (run % 8 != 7) image.replace(6, 5, "v1.04");
    test::FixChecksum(image);
    SCOPED_TRACE("run " + std::to_string(run));
    if (decode(image).status == 0) encodeDecoded();
  }
}

// Configuration files of the start-up settings with random bytes changed,
// inserted and removed, line breaks, NULs, "=" and "[" among them.
TEST_F(CliSweep, RandomConfigurationFiles) {
  ASSERT_EQ(run("defaults" + utc + " -o " + path("start.cfg")).status, 0);
  const std::string start = ReadAll(path("start.cfg"));
  const std::string special("\r\n\0=[]\"' -$x0123456789", 22);
  std::mt19937 random(static_cast<std::mt19937::result_type>(FromEnvironment("TARNVIK_SWEEP_SEED", 9)));
  const unsigned long runs = FromEnvironment("TARNVIK_SWEEP_RUNS", 40);
  for (unsigned long run = 0; run < runs; ++run) {
    std::string file = start;
    for (int i = int(random() % 40); i >= 0 && !file.empty(); --i) {
      const std::size_t at = random() % file.size();
      const char c = random() % 2 ? special[random() % special.size()] : char(random());
      switch (random() % 3) {
        case 0: file[at] = c; break;
        case 1: file.insert(at, 1, c); break;
        default: file.erase(at, random() % 16); break;
      }
    }
    WriteAll(path("in.cfg"), file);
    fs::remove(path("out.bin"));
    SCOPED_TRACE("run " + std::to_string(run));
    const RunResult result = this->run("encode " + path("in.cfg") + utc + " -o " + path("out.bin"));
    EXPECT_TRUE(result.status == 0 || result.status == 1) << result.status << " " << result.err;
    EXPECT_EQ(fs::exists(path("out.bin")), result.status == 0);
  }
}

}  // namespace
}  // namespace tarnvik
