#include "app/Startup.h"

#include <QApplication>
#include <QThread>
#include <exception>
#include <memory>

#include "app/Form1.h"
#include "app/GuardedApplication.h"
#include "core/AppInfo.h"
#include "ui/Form2.h"
#include "ui/ShownText.h"
#include "ui/SplashScreen.h"

namespace tarnvik {

namespace {

void RunWindows(QApplication& app, std::chrono::milliseconds splashPause) {
  QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  auto splash = std::make_unique<SplashScreen>();
  splash->showAndPaint();
  Form1 form1;
  Form2 form2(&form1);
  form1.setSpecialStringsDialog(&form2);
  // The pause blocks on purpose: the splash stays on screen, nothing else runs.
  QThread::msleep(static_cast<unsigned long>(splashPause.count()));
  splash.reset();
  form1.show();
  app.exec();
}

}  // namespace

int RunConfigurator(QApplication& app, std::chrono::milliseconds splashPause) {
  try {
    RunWindows(app, splashPause);
  } catch (const std::exception& error) {
    ShowErrorBox(ShownError(error));
  } catch (...) {
    ShowErrorBox(QString());
  }
  return 0;
}

}  // namespace tarnvik
