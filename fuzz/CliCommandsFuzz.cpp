// libFuzzer target: the command-line tool's decode and encode commands, with
// their guard, on any input. The first byte chooses the command; an image is
// cut or padded to 2048 bytes and, mostly, given the right version mark and
// checksum so that decoding reaches the fields. Every input must end with an
// exit status of 0, 1 or 2 and no sanitizer report, and a command that does
// not succeed must leave no output file.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "cli/CommandGuard.h"
#include "cli/Commands.h"

namespace {

namespace fs = std::filesystem;
using namespace tarnvik::cli;

std::string ImageFrom(const std::uint8_t* data, std::size_t size, bool makeValid) {
  std::string image(reinterpret_cast<const char*>(data), size);
  image.resize(2048);
  if (!makeValid) return image;
  image.replace(6, 5, "v1.04");
  std::uint32_t sum = 0;
  for (std::size_t i = 4; i <= 1395; ++i) sum += std::uint8_t(image[i]);
  for (std::size_t i = 0; i < 4; ++i) image[i] = char(sum >> (8 * i));
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool decode = (data[0] & 1) != 0;
  const std::string input = decode ? ImageFrom(data + 1, size - 1, (data[0] & 6) != 0)
                                   : std::string(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string in = tarnvik::fuzz::ScratchPath("in"), out = tarnvik::fuzz::ScratchPath("out");
  tarnvik::fuzz::WriteFile(in, input);
  fs::remove(out);
  std::ostringstream results, messages;
  const CommandContext context{[] { return std::time_t(1783069500); }, std::uint16_t(1234), results, messages};
  const int status = GuardCommand(
      results, messages, [&] { return decode ? DecodeImageFile(context, in, out) : EncodeFile(context, in, out); });
  if (status < 0 || status > 2 || (status != 0 && fs::exists(out))) std::abort();
  return 0;
}
