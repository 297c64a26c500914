#pragma once
// The one guard around every command of tarnvik-cli: whatever a command
// throws becomes the program's message on standard error and an exit status,
// so that no input can make the tool abort. A command writes its output file
// only at its very end, as a whole, so a command ended this way has written
// none.

#include <functional>
#include <iosfwd>
#include <string>

namespace tarnvik {
class FileWriteError;
}

namespace tarnvik::cli {

// A usage error, or a file that cannot be used, found before the unit is
// asked or anything is written: the message as it stands, and status 2.
struct SetupError {
  std::string message;
};

// Runs `command` and returns its exit status. An escaping error is reported
// as the window reports it (its message and a full stop): status 1 when it
// refuses the configuration (a number text that does not convert) and 2 for
// anything else (a usage error, a file that cannot be written, a unit or HID
// library that cannot be used, memory, a fault of the program). Results on
// `out` that cannot be written also give 2.
int GuardCommand(std::ostream& out, std::ostream& messages, const std::function<int()>& command) noexcept;

// The same report of an escaping error, for a command that has more to say
// after it; does not check `out`. Anything but a std::exception escapes.
int RunReported(std::ostream& messages, const std::function<int()>& command);

// "Unable to write to FILE." and, on a line of its own, why, when known.
void ReportWriteError(std::ostream& messages, const FileWriteError& error);

}  // namespace tarnvik::cli
