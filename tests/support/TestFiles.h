#pragma once
// Files for tests: a private temporary folder removed with everything in it,
// and whole-file reads and writes. Names are UTF-8 text, as the program's own.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/PathText.h"
#include "platform/Process.h"
#include "support/TestSystem.h"

namespace tarnvik::test {

// The system's own, as the dialogs are given folders.
inline const std::string kSeparator(1, static_cast<char>(std::filesystem::path::preferred_separator));

// Where tests that save thousands of files put them: in memory when the
// system offers it, since every save syncs its file to the disk.
inline std::filesystem::path MemoryBackedFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
}

// A file in a folder, its name joined as the system joins it.
inline std::string InFolder(const std::string& folder, const std::string& name) {
  return platform::TextOf(platform::PathOf(folder) / platform::PathOf(name));
}

class TempFolder {
 public:
  explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    root_ = platform::TextOf(MakeUniqueFolder(base, "tarnvik-test-"));
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(platform::PathOf(root_), std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(platform::PathOf(root_), ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const { return InFolder(root_, name); }
  const std::string& root() const { return root_; }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(platform::PathOf(root_)))
      found.push_back(platform::TextOf(entry.path().filename()));
    return found;
  }

 private:
  std::string root_;
};

// A cache folder of its own for the saves a test makes (a rewrite in place
// keeps a copy of the old file there). A cache folder must be its user's own,
// so under root it is lent to the user that a child giving up root's rights
// becomes: only such a child rewrites in place (root may create a file in any
// folder). The old setting comes back after.
class ScopedCacheFolder {
 public:
  ScopedCacheFolder() : old_(platform::EnvironmentVariable(CacheFolderVariable())) {
    LendToUnprivileged(folder_.root());
    SetEnvironment(CacheFolderVariable(), folder_.root().c_str());
  }
  ~ScopedCacheFolder() { SetEnvironment(CacheFolderVariable(), old_ ? old_->c_str() : nullptr); }
  ScopedCacheFolder(const ScopedCacheFolder&) = delete;
  ScopedCacheFolder& operator=(const ScopedCacheFolder&) = delete;

  const std::string& root() const { return folder_.root(); }

 private:
  TempFolder folder_;
  std::optional<std::string> old_;
};

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline std::string ReadAll(const std::string& path) { return ReadAll(platform::PathOf(path)); }

inline void WriteAll(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}
inline void WriteAll(const std::string& path, const std::string& content) { WriteAll(platform::PathOf(path), content); }

}  // namespace tarnvik::test
