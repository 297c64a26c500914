#include "cli/CommandGuard.h"

#include <cctype>
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

// A reason as a sentence of its own: capital first letter, full stop.
std::string Sentence(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

// Which exit status an escaping error stands for, with its message.
int Reported(std::ostream& messages) {
  try {
    throw;
  } catch (const SetupError& error) {
    messages << error.message << '\n' << std::flush;
  } catch (const FileWriteError& error) {
    ReportWriteError(messages, error);
  } catch (const ConversionError& error) {
    return Report(messages, kRefused, error.what());
  } catch (const OperationError& error) {
    messages << error.what() << '\n' << std::flush;  // a unit or HID library that cannot be used
  } catch (const std::bad_alloc&) {
    return Report(messages, kUsageOrIo, "Out of memory");
  } catch (const std::exception& error) {
    return Report(messages, kUsageOrIo, error.what());
  }
  return kUsageOrIo;
}

}  // namespace

void ReportWriteError(std::ostream& messages, const FileWriteError& error) {
  messages << error.what() << ".\n";
  if (!error.reason().empty()) messages << Sentence(error.reason()) << '\n';
  messages << std::flush;
}

int RunReported(std::ostream& messages, const std::function<int()>& command) {
  try {
    return command();
  } catch (const SetupError&) {
    return Reported(messages);
  } catch (const std::exception&) {
    return Reported(messages);
  }
}

int GuardCommand(std::ostream& out, std::ostream& messages, const std::function<int()>& command) noexcept {
  int status = kUsageOrIo;
  try {
    status = RunReported(messages, command);
  } catch (...) {
    try {
      messages << "Unknown error.\n" << std::flush;
    } catch (...) {
    }
    return kUsageOrIo;  // not even the message could be written
  }
  if (!out.flush()) {
    messages << "Unable to write to standard output.\n" << std::flush;
    return kUsageOrIo;
  }
  return status;
}

}  // namespace tarnvik::cli
