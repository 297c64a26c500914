#pragma once
// Errors that end an operation and reach the operator through the error box:
// a number text that does not convert, a file that cannot be written.

#include <functional>
#include <stdexcept>
#include <string>

namespace tarnvik {

class Operator;

class OperationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "'%s' is not a valid integer value", with the offending text.
class ConversionError : public OperationError {
 public:
  explicit ConversionError(const std::string& text);
};

// "Unable to write to %s", with the full path of the file.
class FileWriteError : public OperationError {
 public:
  explicit FileWriteError(const std::string& path);
};

// Shows an error that ended an operation: its message and a full stop.
void ReportError(Operator& op, const std::string& message);

// Runs one operation (a click handler, a reaction). An error escaping it ends
// the operation and goes to the error box; what it did before stays done.
// Returns false when it ended by an error.
bool RunGuarded(Operator& op, const std::function<void()>& operation);

}  // namespace tarnvik
