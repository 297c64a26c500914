#include "core/OperationError.h"

#include <cctype>
#include <utility>

#include "core/Operator.h"

namespace tarnvik {

OperationError::OperationError(const std::string& message) : std::runtime_error(message) {}

OperationError::OperationError(const FileMessage& message)
    : std::runtime_error(message.bytes()), fileMessage_(std::make_shared<const FileMessage>(message)) {}

ConversionError::ConversionError(const std::string& text)
    : OperationError("'" + text + "' is not a valid integer value") {}

FileWriteError::FileWriteError(const std::string& path, std::string reason)
    : OperationError(FileMessage{"Unable to write to ", path, ""}),
      reason_(std::make_shared<const std::string>(std::move(reason))) {}

std::string ReasonSentence(std::string reason) {
  if (reason.empty()) return reason;
  reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
  if (reason.back() != '.') reason += '.';
  return reason;
}

void ReportError(Operator& op, const std::string& message) { op.errorBox(message + "."); }

void ReportError(Operator& op, const std::exception& error) {
  const auto* operation = dynamic_cast<const OperationError*>(&error);
  if (operation == nullptr || operation->fileMessage() == nullptr) return ReportError(op, error.what());
  FileMessage message = *operation->fileMessage();
  message.after += ".";
  if (const auto* write = dynamic_cast<const FileWriteError*>(operation); write && !write->reason().empty())
    message.after += "\n" + ReasonSentence(write->reason());
  op.fileErrorBox(message);
}

bool RunGuarded(Operator& op, const std::function<void()>& operation) {
  try {
    operation();
    return true;
  } catch (const std::exception& error) {
    ReportError(op, error);
  } catch (...) {
    ReportError(op, "");
  }
  return false;
}

}  // namespace tarnvik
