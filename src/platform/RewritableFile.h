#pragma once
// An existing file opened to be rewritten where it stands (same file, same
// links, owner and permissions): read it, write at an offset, set its length,
// sync it. Other programs may go on reading it meanwhile. Every call reports
// failure by returning false; error() then holds the system's text for it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tarnvik::platform {

class RewritableFile {
 public:
  // Opens the regular file at `path` for reading and writing. A link in its
  // place is not followed and nothing is waited for (a pipe is refused).
  explicit RewritableFile(const std::string& path);
  ~RewritableFile();
  RewritableFile(const RewritableFile&) = delete;
  RewritableFile& operator=(const RewritableFile&) = delete;

  bool isOpen() const { return handle_ != kClosed; }
  const std::string& error() const { return error_; }

  // The file as it is now.
  bool identify(FileId& id);
  // Reads from the start until the end or until more than `limit` bytes have
  // come (so that a longer file shows as longer).
  bool readAll(std::size_t limit, std::string& content);
  bool writeAt(std::uint64_t offset, std::string_view bytes);
  // Takes the disk space for a file of `size` bytes before it is written; the
  // file may grow to that length, with zero bytes.
  bool reserve(std::uint64_t size);
  bool truncate(std::uint64_t size);
  bool sync();
  // Closes the file; a failure here may mean data did not reach the disk.
  bool close();

 private:
  bool failed();

  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;  // the system's handle of the open file
  std::string error_;
};

}  // namespace tarnvik::platform
