#pragma once
// The program's dialogs as Qt shows them: message boxes with the program's
// captions and icons (a long message in a LongBox), and Qt's own file dialog, which behaves alike on every
// desktop (no extension added, any typed name taken as it is).

#include "core/Dialogs.h"

class QWidget;

namespace tarnvik {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget& parent) : parent_(parent) {}

  void informationBox(const std::string& text, const std::string& caption) override;
  void plainBox(const std::string& text) override;
  void errorBox(const std::string& text) override;
  void fileErrorBox(const FileMessage& message) override;
  void fileInformationBox(const FileMessage& message, const std::string& caption) override;
  std::optional<std::string> chooseFile(const FileRequest& request) override;

 private:
  QWidget& parent_;
};

}  // namespace tarnvik
