#pragma once
// A stream buffer that shows the program's bytes on a Windows console as
// characters (ConsoleText.h), through the console's wide-text call: the
// console's own code page plays no part. A character cut by a full buffer
// waits for its remaining bytes; a flush shows everything.

#include <array>
#include <streambuf>
#include <string_view>

#include "platform/windows/WinFiles.h"

namespace tarnvik::platform::windows {

// Whether `handle` is a console (and not a pipe, a file or nothing).
bool IsConsole(HANDLE handle);

// Writes `text` to the console `console`. False when the console refused.
bool WriteConsoleText(HANDLE console, std::u16string_view text);

class ConsoleOutput : public std::streambuf {
 public:
  explicit ConsoleOutput(HANDLE console);

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  // Shows what the buffer holds: all of it, or all but a character cut at
  // its end, which stays in the buffer.
  bool show(bool all);

  HANDLE console_;
  std::array<char, 4096> buffer_{};
};

}  // namespace tarnvik::platform::windows
