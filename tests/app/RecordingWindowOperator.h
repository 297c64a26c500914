#pragma once
// The window's real log and progress bar, with message boxes and file
// dialogs recorded and answered instead of shown, so no test waits on a
// modal window.

#include <memory>

#include "app/Form1.h"
#include "app/WindowOperator.h"
#include "support/RecordingOperator.h"

namespace tarnvik::test {

class RecordingWindowOperator : public WindowOperator {
 public:
  RecordingWindowOperator(QPlainTextEdit& log, QProgressBar& bar, QWidget& parent, RecordingOperator& record)
      : WindowOperator(log, bar, parent), record_(record) {}

  void informationBox(const std::string& text, const std::string& caption) override {
    record_.informationBox(text, caption);
  }
  void plainBox(const std::string& text) override { record_.plainBox(text); }
  void errorBox(const std::string& text) override { record_.errorBox(text); }
  std::optional<std::string> chooseFile(const FileRequest& request) override { return record_.chooseFile(request); }

 private:
  RecordingOperator& record_;
};

inline Form1::OperatorFactory Recording(RecordingOperator& record) {
  return [&record](QPlainTextEdit& log, QProgressBar& bar, QWidget& parent) -> std::unique_ptr<Operator> {
    return std::make_unique<RecordingWindowOperator>(log, bar, parent, record);
  };
}

}  // namespace tarnvik::test
