#include "ui/SettingFocus.h"

#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>

namespace tarnvik {

void LeadTo(QWidget& control) {
  for (QWidget* w = &control; w != nullptr; w = w->parentWidget()) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (stack == nullptr) continue;
    if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) tabs->setCurrentWidget(w);
  }
  control.setFocus(Qt::OtherFocusReason);
  if (auto* field = qobject_cast<QLineEdit*>(&control)) field->selectAll();
}

}  // namespace tarnvik
