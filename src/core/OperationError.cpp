#include "core/OperationError.h"

#include "core/Operator.h"

namespace tarnvik {

ConversionError::ConversionError(const std::string& text)
    : OperationError("'" + text + "' is not a valid integer value") {}

FileWriteError::FileWriteError(const std::string& path) : OperationError("Unable to write to " + path) {}

void ReportError(Operator& op, const std::string& message) { op.errorBox(message + "."); }

bool RunGuarded(Operator& op, const std::function<void()>& operation) {
  try {
    operation();
    return true;
  } catch (const std::exception& error) {
    ReportError(op, error.what());
  } catch (...) {
    ReportError(op, "");
  }
  return false;
}

}  // namespace tarnvik
