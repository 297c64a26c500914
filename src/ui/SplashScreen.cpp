#include "ui/SplashScreen.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>

#include "ui/Artwork.h"

namespace tarnvik {

SplashScreen::SplashScreen()
    : QSplashScreen(SplashPicture(), Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::SplashScreen) {
  setObjectName("SplashScreen");
  setFixedSize(254, 254);
}

void SplashScreen::showAndPaint() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  repaint();
  QApplication::processEvents();
}

void SplashScreen::mousePressEvent(QMouseEvent* event) { event->ignore(); }

}  // namespace tarnvik
