// Replays saved inputs through a fuzz target's entry point, without libFuzzer:
// the test command runs each target over its checked-in corpus in the normal
// build, so that a fault once found stays fixed.
//
// Usage: <target>-replay FILE_OR_FOLDER...   (folders are read recursively)
// A failed property aborts; exit status 2 when a path cannot be read or
// nothing was replayed.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const fs::path& from) {
  std::vector<fs::path> found;
  if (fs::is_regular_file(from)) found.push_back(from);
  if (fs::is_directory(from))
    for (const auto& entry : fs::recursive_directory_iterator(from))
      if (entry.is_regular_file()) found.push_back(entry.path());
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> inputs = Inputs(argv[i]);
    if (inputs.empty()) {
      std::fprintf(stderr, "nothing to replay in %s\n", argv[i]);
      return 2;
    }
    for (const fs::path& input : inputs) {
      std::fprintf(stderr, "replaying %s\n", input.string().c_str());
      const std::string bytes = tarnvik::fuzz::ReadFile(input.string());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::fprintf(stderr, "%zu inputs replayed, every property held\n", replayed);
  return replayed == 0 ? 2 : 0;
}
