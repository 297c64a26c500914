#pragma once
// Start-up of the configurator: title, splash screen, main window, the
// hidden special strings dialog, a pause with the splash on screen, then the
// message loop until the main window closes.

#include <chrono>

class QApplication;

namespace tarnvik {

inline constexpr std::chrono::milliseconds kSplashPause{3000};

// Runs the program on an existing application object; always returns 0. An
// error escaping start-up or the message loop is shown in the error box.
int RunConfigurator(QApplication& app, std::chrono::milliseconds splashPause = kSplashPause);

}  // namespace tarnvik
