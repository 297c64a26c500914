#pragma once
// The main window's size and place on the desktop. Its least size is the
// classic frame's (the client area of 734 x 419 with the menu bar and the
// status line), or the screen's room when the screen is smaller than that
// (twice the scale on a 1280 x 1024 screen): then the client area scrolls,
// so every control can still be reached. The size and place the operator
// left are brought back at the next start, moved onto a screen that exists.

#include <QRect>
#include <QSize>

class QMainWindow;
class QSettings;
class QWidget;

namespace tarnvik {

// The room a window of the screen's available geometry may take, its frame
// (title bar and borders, drawn by the window manager) aside.
QSize RoomFor(const QRect& available, const QWidget& window);

// The window at its classic size: the client area's least size with the
// menu bar and the status line.
QSize NaturalSize(const QMainWindow& window);

// Sets the window's least size and first size from its natural size and the
// room on a screen whose available geometry is `available`, centres it
// there and then brings back what `memory` kept (nothing when it is nullptr).
void PlaceWindow(QMainWindow& window, const QRect& available, QSettings* memory);

// Keeps the window's size and place in `memory` for the next start.
void KeepWindowPlace(const QMainWindow& window, QSettings* memory);

}  // namespace tarnvik
