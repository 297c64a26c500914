#pragma once
// How the device worker reaches the window: calls posted to the UI thread,
// either without waiting (the log and progress) or waiting for the call to
// have run there (a dialog the operation needs an answer from). The window
// abandons the bridge when it goes away, so that a worker waiting on it is
// released instead of waiting on a UI thread that no longer listens.

#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace tarnvik {

class UiBridge : public QObject {
  Q_OBJECT
 public:
  explicit UiBridge(QObject* parent = nullptr);
  ~UiBridge() override;

  // Runs `call` on the UI thread later; returns at once. Any thread.
  void post(std::function<void()> call);
  // Runs `call` on the UI thread and returns when it has run: true, or false
  // when the bridge was abandoned first (then `call` never runs). Never from
  // the UI thread itself.
  bool runAndWait(const std::function<void()>& call);
  // Releases every waiting and later runAndWait with false. UI thread.
  void abandon();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool abandoned_ = false;
};

}  // namespace tarnvik
