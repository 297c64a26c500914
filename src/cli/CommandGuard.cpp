#include "cli/CommandGuard.h"

#include <exception>
#include <new>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "core/OperationError.h"

namespace tarnvik::cli {

namespace {

int Report(std::ostream& messages, int status, const std::string& message) {
  messages << message << ".\n" << std::flush;
  return status;
}

// Which exit status an escaping error stands for, with its message.
int Reported(std::ostream& messages) {
  try {
    throw;
  } catch (const FileWriteError& error) {
    return Report(messages, kUsageOrIo, error.what());
  } catch (const OperationError& error) {
    return Report(messages, kRefused, error.what());
  } catch (const std::bad_alloc&) {
    return Report(messages, kUsageOrIo, "Out of memory");
  } catch (const std::exception& error) {
    return Report(messages, kUsageOrIo, error.what());
  } catch (...) {
    return Report(messages, kUsageOrIo, "Unknown error");
  }
}

}  // namespace

int GuardCommand(std::ostream& out, std::ostream& messages, const std::function<int()>& command) noexcept {
  int status = kUsageOrIo;
  try {
    status = command();
  } catch (...) {
    try {
      return Reported(messages);
    } catch (...) {
      return kUsageOrIo;  // not even the message could be written
    }
  }
  if (!out.flush()) {
    messages << "Unable to write to standard output.\n" << std::flush;
    return kUsageOrIo;
  }
  return status;
}

}  // namespace tarnvik::cli
