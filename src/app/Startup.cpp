#include "app/Startup.h"

#include <QApplication>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/GuardedApplication.h"
#include "core/AppInfo.h"
#include "ui/Artwork.h"
#include "ui/Form2.h"
#include "ui/ShownText.h"
#include "ui/SplashScreen.h"

namespace tarnvik {

namespace {

// The user's own settings folder: ~/.config/tarnvik-configurator/window.ini,
// %APPDATA%\tarnvik-configurator\window.ini on Windows.
QString WindowMemoryFile() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tarnvik-configurator"),
                   QStringLiteral("window"))
      .fileName();
}

void RunWindows(QApplication& app, std::chrono::milliseconds splashPause, const QString& file) {
  QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
  QApplication::setWindowIcon(EmblemPicture(64));
  // The desktop entry's name, so that the desktop matches the window to it.
  QGuiApplication::setDesktopFileName(QStringLiteral("tarnvik-configurator"));
  auto splash = std::make_unique<SplashScreen>();
  splash->showAndPaint();
  WindowServices services;
  services.memoryFile = WindowMemoryFile();
  Form1 form1(std::move(services));
  Form2 form2(&form1);
  form1.setSpecialStringsDialog(&form2);
  // The pause blocks on purpose: the splash stays on screen, nothing else runs.
  QThread::msleep(static_cast<unsigned long>(splashPause.count()));
  splash.reset();
  form1.show();
  if (!file.isEmpty()) QTimer::singleShot(0, &form1, [&form1, file] { form1.openFile(file); });
  app.exec();
}

}  // namespace

int RunConfigurator(QApplication& app, std::chrono::milliseconds splashPause, const QString& file) {
  try {
    RunWindows(app, splashPause, file);
  } catch (const std::exception& error) {
    ShowErrorBox(ShownError(error));
  } catch (...) {
    ShowErrorBox(QString());
  }
  return 0;
}

int RunFromCommandLine(QApplication& app) {
  QApplication::setApplicationVersion(QString::fromLatin1(kConfigVersion));
  const CommandLine line = ParseCommandLine(QApplication::arguments());
  if (!line.error.isEmpty()) {
    std::fprintf(stderr, "tarnvik-configurator: %s\nTry 'tarnvik-configurator --help'.\n", qPrintable(line.error));
    return 2;
  }
  if (line.done) {
    std::fputs(qPrintable(line.output), stdout);
    return 0;
  }
  return RunConfigurator(app, kSplashPause, line.file);
}

}  // namespace tarnvik
