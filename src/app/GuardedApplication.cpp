#include "app/GuardedApplication.h"

#include <QMessageBox>
#include <exception>

#include "core/AppInfo.h"
#include "ui/ShownText.h"

namespace tarnvik {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowErrorBox(ShownError(error));
  } catch (...) {
    ShowErrorBox(QString());
  }
  return false;
}

void ShowErrorBox(const QString& message) {
  QMessageBox::critical(nullptr, QString::fromLatin1(kAppTitle), message + QLatin1Char('.'));
}

}  // namespace tarnvik
