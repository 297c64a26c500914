#pragma once
// Files for tests: a private temporary folder removed with everything in it,
// and whole-file reads and writes.

#ifdef _WIN32
#include <random>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace tarnvik::test {

// A new folder under `base` named `prefix` and a random part, made for this
// caller alone (private to the user on POSIX systems).
inline std::filesystem::path MakeUniqueFolder(const std::filesystem::path& base, const std::string& prefix) {
#ifdef _WIN32
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = base / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) return folder;  // false: the name was taken
  }
  throw std::filesystem::filesystem_error("no unique folder", base, std::make_error_code(std::errc::file_exists));
#else
  std::string pattern = (base / (prefix + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::filesystem::filesystem_error("mkdtemp", base, std::error_code(errno, std::generic_category()));
  return pattern;
#endif
}

// Where tests that save thousands of files put them: in memory when the
// system offers it, since every save syncs its file to the disk.
inline std::filesystem::path MemoryBackedFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
}

class TempFolder {
 public:
  explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    root_ = MakeUniqueFolder(base, "tarnvik-test-").string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const { return (std::filesystem::path(root_) / name).string(); }
  const std::string& root() const { return root_; }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(root_))
      found.push_back(entry.path().filename().string());
    return found;
  }

 private:
  std::string root_;
};

// A cache folder of its own for the saves a test makes (a rewrite in place
// keeps a copy of the old file there), open to every user so that a child
// that gave up root's rights may use it too. The old setting comes back after.
class ScopedCacheFolder {
 public:
  ScopedCacheFolder() {
    const char* old = std::getenv("XDG_CACHE_HOME");
    if (old != nullptr) old_ = old;
    std::filesystem::permissions(folder_.root(), std::filesystem::perms::all);
    ::setenv("XDG_CACHE_HOME", folder_.root().c_str(), 1);
  }
  ~ScopedCacheFolder() {
    if (old_.empty())
      ::unsetenv("XDG_CACHE_HOME");
    else
      ::setenv("XDG_CACHE_HOME", old_.c_str(), 1);
  }
  ScopedCacheFolder(const ScopedCacheFolder&) = delete;
  ScopedCacheFolder& operator=(const ScopedCacheFolder&) = delete;

  const std::string& root() const { return folder_.root(); }

 private:
  TempFolder folder_;
  std::string old_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

}  // namespace tarnvik::test
