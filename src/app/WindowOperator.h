#pragma once
// The window's side of the Operator interface: log lines go to the message
// log, progress to the progress bar, boxes and file choices to the dialogs.
// Everything here runs on the UI thread; a device operation on the worker
// thread reaches it through a WorkerOperator, which gathers its lines and
// progress and hands them over in batches.

#include <vector>

#include "app/ProgressState.h"
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
  void fileInformationBox(const FileMessage& message, const std::string& caption) override;
  std::optional<std::string> chooseFile(const FileRequest& request) override;

  // Several lines at once: one repaint of the log for all of them.
  void logLines(const std::vector<std::string>& lines);
  // Range and position at once: one repaint of the bar.
  void showProgress(ProgressState state);
  ProgressState progress() const;

 private:
  QPlainTextEdit& log_;
  QProgressBar& progress_;
  Dialogs& dialogs_;
};

}  // namespace tarnvik
