#pragma once
// Errors that end an operation and reach the operator through the error box:
// a number text that does not convert, a file that cannot be written.

#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/FileMessage.h"

namespace tarnvik {

class Operator;

class OperationError : public std::runtime_error {
 public:
  explicit OperationError(const std::string& message);
  // A message that names a file; what() gives it as one byte string.
  explicit OperationError(const FileMessage& message);

  // The parts of a message that names a file; nullptr for any other message.
  const FileMessage* fileMessage() const { return fileMessage_.get(); }

 private:
  std::shared_ptr<const FileMessage> fileMessage_;  // shared: copying an error must not throw
};

// "'%s' is not a valid integer value", with the offending text.
class ConversionError : public OperationError {
 public:
  explicit ConversionError(const std::string& text);
};

// "Unable to write to %s", with the full path of the file. The message stays
// exactly that; why the file could not be written (the system's error text,
// "not a regular file" ...) travels beside it, for the tool to print on a line
// of its own. Empty when nothing more is known.
class FileWriteError : public OperationError {
 public:
  explicit FileWriteError(const std::string& path, std::string reason = {});

  const std::string& reason() const { return *reason_; }

 private:
  std::shared_ptr<const std::string> reason_;  // shared: copying an error must not throw
};

// Why a file could not be written, as a sentence of its own: capital first
// letter, full stop ("in use by another program" -> "In use by another
// program."). Empty stays empty.
std::string ReasonSentence(std::string reason);

// Shows an error that ended an operation: its message and a full stop.
void ReportError(Operator& op, const std::string& message);
// The same for any error; a message that names a file keeps its name apart.
// A file that could not be written gets the reason on a line of its own, as
// the command-line tool prints it.
void ReportError(Operator& op, const std::exception& error);

// Runs one operation (a click handler, a reaction). An error escaping it ends
// the operation and goes to the error box; what it did before stays done.
// Returns false when it ended by an error.
bool RunGuarded(Operator& op, const std::function<void()>& operation);

}  // namespace tarnvik
