#pragma once
// The modal dialogs through which the core asks or tells the operator
// something: message boxes and the file dialogs. The window shows Qt's
// dialogs; tests answer them from a script, so no test waits on a window.

#include <optional>
#include <string>

#include "core/FileMessage.h"

namespace tarnvik {

struct FileRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  std::string initialFolder;  // with its trailing separator
  std::string defaultName;    // file name offered, may be empty or a full path
  std::string filter;         // "Description|pattern", empty for no filter
  std::string title = {};     // what the dialog is for ("Compare with file"); empty: the desktop's own
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Modal box with the information icon and one OK button.
  virtual void informationBox(const std::string& text, const std::string& caption = "Information") = 0;
  // Modal box without icon, captioned with the program's title.
  virtual void plainBox(const std::string& text) = 0;
  // Modal box with the error icon, captioned with the program's title; the
  // text is shown as given (see ReportError for the usual full stop).
  virtual void errorBox(const std::string& text) = 0;
  // The same box for a message that names a file, whose name must not be read
  // as the program's texts are. Dialogs that show bytes as they are (a
  // terminal) need not tell the two apart.
  virtual void fileErrorBox(const FileMessage& message) { errorBox(message.bytes()); }
  // The information box for a message that names a file, by the same rule.
  virtual void fileInformationBox(const FileMessage& message, const std::string& caption) {
    informationBox(message.bytes(), caption);
  }

  // Modal file dialog; the chosen path (the file system's bytes), or nothing
  // when cancelled.
  virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
};

}  // namespace tarnvik
