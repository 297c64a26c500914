#pragma once
// Start-up of the configurator: title, splash screen, main window, the
// hidden special strings dialog, a pause with the splash on screen, then the
// message loop until the main window closes. A configuration file named on
// the command line is opened once the window shows.

#include <QString>
#include <chrono>

class QApplication;

namespace tarnvik {

inline constexpr std::chrono::milliseconds kSplashPause{3000};

// Runs the program on an existing application object; always returns 0. An
// error escaping start-up or the message loop is shown in the error box.
// `file`, when not empty, is opened as Read from file opens a chosen file.
int RunConfigurator(QApplication& app, std::chrono::milliseconds splashPause = kSplashPause, const QString& file = {});

// main(): reads the command line (printing help, the version or what is
// wrong with it), then runs the program. Returns the exit status.
int RunFromCommandLine(QApplication& app);

}  // namespace tarnvik
