#pragma once
// How the core speaks to the operator: the message log, the progress bar,
// the message boxes and the file dialogs. The window implements it with Qt
// widgets; the command-line tool and the tests implement it their own way.

#include <optional>
#include <string>

namespace tarnvik {

struct FileRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  std::string initialFolder;  // with its trailing separator
  std::string defaultName;    // file name offered, may be empty or a full path
  std::string filter;         // "Description|pattern", empty for no filter
};

class Operator {
 public:
  virtual ~Operator() = default;

  // Appends one complete line to the message log. Lines are never removed.
  virtual void logLine(const std::string& line) = 0;

  // Progress bar: range 0 to pageCount at position 0; one step; back to 0.
  virtual void progressStart(int pageCount) = 0;
  virtual void progressStep() = 0;
  virtual void progressReset() = 0;

  // Modal box with the information icon and one OK button.
  virtual void informationBox(const std::string& text, const std::string& caption = "Information") = 0;
  // Modal box without icon, captioned with the program's title.
  virtual void plainBox(const std::string& text) = 0;
  // Modal box with the error icon, captioned with the program's title; the
  // text is shown as given (see ReportError for the usual full stop).
  virtual void errorBox(const std::string& text) = 0;

  // Modal file dialog; the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
};

}  // namespace tarnvik
