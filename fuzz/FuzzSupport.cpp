#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/FreshSettings.h"
#include "support/TestFiles.h"

namespace tarnvik::fuzz {

namespace fs = std::filesystem;

namespace {

// TARNVIK_FUZZ_SCRATCH when set (scripts/fuzz.sh sets it, so that a crashed
// run leaves nothing behind outside its own folder), else memory, else /tmp.
fs::path Base() {
  if (const char* chosen = std::getenv("TARNVIK_FUZZ_SCRATCH"); chosen != nullptr && *chosen != '\0') return chosen;
  std::error_code error;
  return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

class ScratchFolder {
 public:
  ScratchFolder() {
    try {
      root_ = test::MakeUniqueFolder(Base(), "tarnvik-fuzz-");
    } catch (const fs::filesystem_error& error) {
      Violated("a scratch folder can be made", error.what());
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

}  // namespace

void Violated(std::string_view property, const std::string& detail) {
  std::fprintf(stderr, "\nPROPERTY VIOLATED: %.*s\n%s\n", static_cast<int>(property.size()), property.data(),
               detail.c_str());
  std::fflush(stderr);
  std::abort();
}

void RequireSameSettings(const DeviceSettings& expected, const DeviceSettings& actual, test::Compare what,
                         std::string_view property) {
  if (expected == actual) return;  // the common case, without looking each setting up by name
  const auto differences = test::Differences(expected, actual, what);
  if (differences.empty()) return;
  std::string detail;
  for (const std::string& line : differences) detail += line + "\n";
  Violated(property, detail);
}

const DeviceSettings& Fresh() {
  static const DeviceSettings fresh = test::FreshSettings();
  return fresh;
}

std::string ScratchPath(std::string_view name) {
  static const ScratchFolder folder;
  return (folder.root() / name).string();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) Violated("the scratch file can be written", path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tarnvik::fuzz
