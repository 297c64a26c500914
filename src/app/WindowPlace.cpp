#include "app/WindowPlace.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>

#include "app/FrameLayout.h"

namespace tarnvik {

namespace {

constexpr const char* kKey = "window/geometry";

}  // namespace

// The frame is not known before the window manager draws it: a title bar of
// the style's height and a border of a few pixels all round stand for it.
QSize RoomFor(const QRect& available, const QWidget& window) {
  const int border = 8;
  const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
  return available.size() - QSize(2 * border, titleBar + 2 * border);
}

QSize NaturalSize(const QMainWindow& window) {
  const int bars = window.menuBar()->sizeHint().height() + window.statusBar()->sizeHint().height();
  return QSize(frame::kClientWidth, frame::kClientHeight + bars);
}

void PlaceWindow(QMainWindow& window, const QRect& available, QSettings* memory) {
  const QSize size = NaturalSize(window).boundedTo(RoomFor(available, window));
  window.setMinimumSize(size);
  window.resize(size);
  window.move(available.center() - QPoint(size.width() / 2, size.height() / 2));
  if (memory != nullptr) window.restoreGeometry(memory->value(QString::fromLatin1(kKey)).toByteArray());
}

void KeepWindowPlace(const QMainWindow& window, QSettings* memory) {
  if (memory == nullptr) return;
  memory->setValue(QString::fromLatin1(kKey), window.saveGeometry());
  memory->sync();
}

}  // namespace tarnvik
