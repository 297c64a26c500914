#pragma once
// While an operation runs inside a click handler, the window keeps painting
// its log and progress bar but must not take any other input: no second
// operation may start and the window may not be closed. Message boxes the
// operation opens are separate windows and still take input.

#include <QObject>

class QWidget;

namespace tarnvik {

class InputBlocker : public QObject {
  Q_OBJECT
 public:
  explicit InputBlocker(QWidget& window);

  bool blocking() const { return blocking_; }
  void setBlocking(bool on) { blocking_ = on; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  bool blocking_ = false;
};

}  // namespace tarnvik
