#include "app/InputBlocker.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tarnvik {

namespace {

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close: return true;
    default: return false;
  }
}

}  // namespace

InputBlocker::InputBlocker(QWidget& window) : QObject(&window), window_(window) { qApp->installEventFilter(this); }

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
  if (!blocking_ || !IsInput(event->type()) || !watched->isWidgetType()) return false;
  if (static_cast<QWidget*>(watched)->window() != &window_) return false;
  event->ignore();
  return true;
}

}  // namespace tarnvik
