#pragma once
// The one guard around every command of tarnvik-cli: whatever a command
// throws becomes the program's message on standard error and an exit status,
// so that no input can make the tool abort. A command writes its output file
// only at its very end, as a whole, so a command ended this way has written
// none.

#include <functional>
#include <iosfwd>

namespace tarnvik::cli {

// Runs `command` and returns its exit status. An escaping error is reported
// as the window reports it (its message and a full stop) with status 1 when
// it refuses the configuration (a number text that does not convert) and 2
// for anything else (a file that cannot be written, memory, a fault of the
// program). Results on `out` that cannot be written also give 2.
int GuardCommand(std::ostream& out, std::ostream& messages, const std::function<int()>& command) noexcept;

}  // namespace tarnvik::cli
