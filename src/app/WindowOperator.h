#pragma once
// The window's side of the Operator interface: log lines go to the message
// log, progress to the progress bar, boxes and file choices to the dialogs.
// While an operation runs, each log line and progress step is painted at
// once, so the operator can follow a long transfer.

#include <QElapsedTimer>

#include "core/Operator.h"

class QPlainTextEdit;
class QProgressBar;

namespace tarnvik {

class WindowOperator : public Operator {
 public:
  WindowOperator(QPlainTextEdit& log, QProgressBar& progress, Dialogs& dialogs);

  void logLine(const std::string& line) override;
  void progressStart(int pageCount) override;
  void progressStep() override;
  void progressReset() override;
  void informationBox(const std::string& text, const std::string& caption) override;
  void plainBox(const std::string& text) override;
  void errorBox(const std::string& text) override;
  void fileErrorBox(const FileMessage& message) override;
  std::optional<std::string> chooseFile(const FileRequest& request) override;

 private:
  void showProgress();

  QPlainTextEdit& log_;
  QProgressBar& progress_;
  Dialogs& dialogs_;
  QElapsedTimer sincePaint_;
};

}  // namespace tarnvik
