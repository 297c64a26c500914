#pragma once
// The program's own pictures, drawn at start-up rather than shipped as files:
// the splash picture (254 x 254) and the logo in the main window (169 x 41).

#include <QPixmap>

namespace tarnvik {

QPixmap SplashPicture();
QPixmap LogoPicture();

}  // namespace tarnvik
