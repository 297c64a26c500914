#pragma once
// The application object. Click handlers catch their own errors; this is the
// last line of defence for an error escaping any other event handler: it is
// shown in the error box and the program goes on with the next event.

#include <QApplication>

namespace tarnvik {

class GuardedApplication : public QApplication {
  Q_OBJECT
 public:
  GuardedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The error box of the program: error icon, the program's title as caption,
// the message with a full stop appended.
void ShowErrorBox(const QString& message);

}  // namespace tarnvik
