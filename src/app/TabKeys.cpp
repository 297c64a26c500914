#include "app/TabKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

namespace tarnvik {

TabKeys::TabKeys(QWidget& window, QTabWidget& tabs, std::function<bool()> allowed)
    : QObject(&window), window_(window), tabs_(tabs), allowed_(std::move(allowed)) {
  qApp->installEventFilter(this);
}

// Shift+Tab arrives as Backtab; the keypad's modifier does not count.
int TabKeys::StepOf(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier) {
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_PageDown) return 1;
    if (key.key() == Qt::Key_PageUp) return -1;
  }
  if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) &&
      (key.key() == Qt::Key_Backtab || key.key() == Qt::Key_Tab))
    return -1;
  return 0;
}

// The override is taken as well, so that no shortcut and no control claims
// the key before it arrives.
bool TabKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::KeyRelease) return false;
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &window_) return false;
  const int step = StepOf(*static_cast<QKeyEvent*>(event));
  if (step == 0 || !allowed_()) return false;
  event->accept();
  if (type == QEvent::KeyPress && tabs_.count() > 0)
    tabs_.setCurrentIndex((tabs_.currentIndex() + step + tabs_.count()) % tabs_.count());
  return true;
}

}  // namespace tarnvik
