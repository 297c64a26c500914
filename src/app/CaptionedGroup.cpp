#include "app/CaptionedGroup.h"

#include <QPainter>

namespace tarnvik {

CaptionedGroup::CaptionedGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void CaptionedGroup::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics metrics(font());
  const int middle = metrics.height() / 2;
  p.setPen(palette().color(QPalette::Mid));
  p.drawRoundedRect(QRectF(0.5, middle + 0.5, width() - 1, height() - middle - 1), 2, 2);
  const QRect caption(7, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
  p.fillRect(caption, palette().color(QPalette::Window));
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace tarnvik
