#pragma once
// How the core speaks to the operator: the message log, the progress bar and
// the dialogs. The window implements it with its widgets, the command-line
// tool with its output streams, the tests with a recorder.

#include <string>

#include "core/Dialogs.h"

namespace tarnvik {

class Operator : public Dialogs {
 public:
  // Appends one complete line to the message log. Lines are never removed.
  virtual void logLine(const std::string& line) = 0;

  // Progress bar: range 0 to pageCount at position 0; one step; back to 0.
  virtual void progressStart(int pageCount) = 0;
  virtual void progressStep() = 0;
  virtual void progressReset() = 0;
};

}  // namespace tarnvik
