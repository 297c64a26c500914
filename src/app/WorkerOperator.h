#pragma once
// The operator a device operation talks to on the worker thread. Log lines
// and progress are gathered and shown by the UI thread at most once every
// 15 ms, however fast the unit answers, so that repainting never costs more
// than the exchanges it reports on. A dialog (the firmware file, a message
// box) is shown by the UI thread while the worker waits for its answer;
// before it opens, the log, the progress bar and the settings are brought up
// to date, so the operator reads the box against what happened so far.

#include <QElapsedTimer>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgressState.h"
#include "core/Operator.h"

namespace tarnvik {

class UiBridge;
class WindowOperator;

class WorkerOperator : public Operator {
 public:
  // `window` shows what the worker says; `beforeDialog` runs on the UI thread
  // before each dialog. All three must outlive this operator.
  WorkerOperator(UiBridge& bridge, WindowOperator& window, std::function<void()> beforeDialog);

  // UI thread, before an operation starts: the progress bar as it stands.
  void begin(ProgressState shown);
  // UI thread: shows everything said so far at once.
  void flush();

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

 private:
  void changed();                                  // worker: something new to show
  void flushWhenDue();                             // UI thread: flush now, or once 15 ms have passed since the last one
  void onUi(const std::function<void()>& dialog);  // worker: the dialog, on the UI thread

  UiBridge& bridge_;
  WindowOperator& window_;
  std::function<void()> beforeDialog_;
  std::mutex mutex_;  // guards the three below
  std::vector<std::string> lines_;
  ProgressState progress_;
  bool flushPosted_ = false;
  ProgressState shown_;       // UI thread only
  QElapsedTimer sinceFlush_;  // UI thread only
};

// Log and progress repaint at most this often while the worker runs.
inline constexpr qint64 kRepaintIntervalMs = 15;

}  // namespace tarnvik
