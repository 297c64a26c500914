#pragma once
// The keys that switch the settings tabs: Ctrl+Tab and Ctrl+PgDn to the next
// tab, Ctrl+Shift+Tab and Ctrl+PgUp to the one before, wrapping round at
// either end. They work from whatever control has the focus, and no control
// sees them: a drop-down would otherwise take Ctrl+PgDn as "last entry" and
// change its setting, and a page of tabs within a tab (the telemetry
// reports) would switch its own pages instead.

#include <QObject>
#include <functional>

class QKeyEvent;
class QTabWidget;
class QWidget;

namespace tarnvik {

class TabKeys : public QObject {
  Q_OBJECT
 public:
  // `allowed` says whether input is taken now (no operation runs).
  TabKeys(QWidget& window, QTabWidget& tabs, std::function<bool()> allowed);

  // +1 for a key that goes to the next tab, -1 for the one before, 0 for any other key.
  static int StepOf(const QKeyEvent& key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  QTabWidget& tabs_;
  std::function<bool()> allowed_;
};

}  // namespace tarnvik
