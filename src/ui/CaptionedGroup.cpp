#include "ui/CaptionedGroup.h"

#include <QPainter>

namespace tarnvik {

CaptionedGroup::CaptionedGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

namespace {
constexpr int kCaptionLeft = 7;  // where the caption starts on the border
constexpr int kCaptionAir = 2;   // background left and right of the caption's text
}  // namespace

QSize CaptionedGroup::minimumSizeHint() const {
  const int caption = kCaptionLeft + fontMetrics().horizontalAdvance(title()) + 2 * kCaptionAir + kCaptionLeft;
  return QWidget::minimumSizeHint().expandedTo(QSize(caption, fontMetrics().height()));
}

void CaptionedGroup::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics metrics(font());
  const int middle = metrics.height() / 2;
  p.setPen(palette().color(QPalette::Mid));
  p.drawRoundedRect(QRectF(0.5, middle + 0.5, width() - 1, height() - middle - 1), 2, 2);
  const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionAir, metrics.height());
  p.fillRect(caption, palette().color(QPalette::Window));
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace tarnvik
