#pragma once
// A file, pipe or standard input opened for reading, in binary: every byte
// comes as it is stored (CR LF stays CR LF, byte 0x1A is a byte like any
// other). Opened without being inherited by programs this one starts. Every
// call reports failure by returning false; error() then holds the system's
// text for it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnvik::platform {

class InputFile {
 public:
  enum class Wait {
    ForWriter,  // a named pipe opens once a program writes to it, as for cat
    No,         // a named pipe opens at once (and is then no regular file)
  };
  InputFile(const std::string& path, Wait wait);
  // Standard input, through a handle of its own: closing this one leaves
  // standard input open. Standard input that was closed reads as empty.
  static InputFile StandardInput();
  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&&) = delete;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool isOpen() const { return handle_ != kClosed; }
  const std::string& error() const { return error_; }

  // A regular file on a disk, as opposed to a pipe, a terminal or a device.
  bool isRegular();
  // Reads what comes next, at most `size` bytes; `count` is 0 at the end.
  bool read(char* buffer, std::size_t size, std::size_t& count);
  // Reads to the end, or until more than `limit` bytes have come (so that a
  // longer input shows as longer).
  bool readUpTo(std::size_t limit, std::string& content);

 private:
  InputFile() = default;
  bool failed();

  static constexpr std::intptr_t kClosed = -1;
  static constexpr std::intptr_t kEmpty = -2;  // standard input that was closed
  std::intptr_t handle_ = kClosed;
  std::string error_;
};

}  // namespace tarnvik::platform
