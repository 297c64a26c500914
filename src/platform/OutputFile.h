#pragma once
// A regular file opened to be written from its start, in binary: the bytes
// land as they are given. Anything but a regular file is refused ("not a
// regular file") before it is opened: a named pipe would hold the program
// until someone reads it, a device would swallow or refuse the bytes. Opened
// without being inherited by programs this one starts. Every call reports
// failure by returning false; error() then holds the system's text for it.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvik::platform {

class OutputFile {
 public:
  // Opens the file at `path`, creating it when missing, and empties it once
  // it is known to be a regular file.
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool isOpen() const { return handle_ != kClosed; }
  const std::string& error() const { return error_; }

  // Writes all of `bytes` after what was written before ("the file took no
  // more bytes" when the system took none).
  bool write(std::string_view bytes);
  // Closes the file; a failure here may mean data did not reach the disk.
  bool close();

 private:
  bool failed();

  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;
  std::string error_;
};

}  // namespace tarnvik::platform
