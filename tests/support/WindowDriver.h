#pragma once
// Helpers for tests that drive the main window as the operator does: find a
// control by its name, bring its tab and page to the front, type into it.

#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <stdexcept>
#include <string>

namespace tarnvik::test {

// The widget of this name and type inside the window; throws when missing.
template <typename T>
T& Find(QWidget& window, const std::string& name) {
  T* found = window.findChild<T*>(QString::fromStdString(name));
  if (found == nullptr) throw std::runtime_error("no control named " + name);
  return *found;
}

// Shows the tab (and the page of the "Telemetry reports" tab) that holds the control.
inline void Reveal(QWidget& control) {
  for (QWidget* w = &control; w != nullptr; w = w->parentWidget()) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (stack == nullptr) continue;
    if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) tabs->setCurrentWidget(w);
  }
}

// Types the text one key at a time; characters beyond ASCII arrive as a
// keyboard layout or input method delivers them, as key events with text.
inline void Type(QWidget& widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(&widget, char(c.unicode()));
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
  }
}

// Replaces the field's text by typing, as the operator selects all and types.
inline void TypeOver(QWidget& field, const QString& text) {
  Reveal(field);
  field.setFocus();
  QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
  Type(field, text);
}

}  // namespace tarnvik::test
