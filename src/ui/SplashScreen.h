#pragma once
// The picture shown while the windows are built at start-up: 254 x 254,
// borderless, on top of other windows, centred, no reaction to input.

#include <QSplashScreen>

namespace tarnvik {

class SplashScreen : public QSplashScreen {
  Q_OBJECT
 public:
  SplashScreen();

  // Shows the splash and paints it before returning, so that it is on screen
  // while the main window is being built.
  void showAndPaint();

 protected:
  void mousePressEvent(QMouseEvent* event) override;  // a click must not close it early
};

}  // namespace tarnvik
