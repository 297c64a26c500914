#pragma once
// The program's own pictures, drawn at start-up rather than shipped as files:
// the splash picture (254 x 254), the logo in the main window (169 x 41)
// and the emblem alone, square, as the windows' icon.

#include <QPixmap>

namespace tarnvik {

QPixmap SplashPicture();
QPixmap LogoPicture();
QPixmap EmblemPicture(int size);

}  // namespace tarnvik
