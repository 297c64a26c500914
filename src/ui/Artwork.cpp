#include "ui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarnvik {

namespace {

const QColor kNight(14, 34, 64);
const QColor kSea(28, 86, 128);
const QColor kSignal(255, 176, 48);

// A lattice mast with its feed point at `top`, `height` pixels tall.
void DrawMast(QPainter& p, QPointF top, qreal height) {
  const qreal half = height / 6;
  const QPointF left(top.x() - half, top.y() + height), right(top.x() + half, top.y() + height);
  p.drawLine(top, left);
  p.drawLine(top, right);
  for (int rung = 1; rung <= 4; ++rung) {
    const qreal t = rung / 5.0;
    const QPointF a = top + (left - top) * t, b = top + (right - top) * t;
    const QPointF c = top + (left - top) * (t + 0.2), d = top + (right - top) * (t + 0.2);
    p.drawLine(a, b);
    p.drawLine(a, d);
    p.drawLine(b, c);
  }
}

// Radio waves leaving the mast on both sides.
void DrawWaves(QPainter& p, QPointF centre, qreal first, int count) {
  for (int i = 0; i < count; ++i) {
    const qreal r = first + i * first * 0.8;
    const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    p.drawArc(box, -40 * 16, 80 * 16);
    p.drawArc(box, 140 * 16, 80 * 16);
  }
}

void FillBackground(QPainter& p, const QRect& area) {
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0, kNight);
  sky.setColorAt(1, kSea);
  p.fillRect(area, sky);
}

}  // namespace

QPixmap SplashPicture() {
  QPixmap picture(254, 254);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  FillBackground(p, picture.rect());
  p.setPen(QPen(Qt::white, 2));
  DrawMast(p, QPointF(127, 40), 110);
  p.setPen(QPen(kSignal, 3));
  DrawWaves(p, QPointF(127, 40), 18, 3);
  p.setPen(Qt::white);
  QFont title = p.font();
  title.setPointSize(22);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(0, 160, 254, 36), Qt::AlignCenter, "TARNVIK");
  QFont line = p.font();
  line.setPointSize(9);
  line.setBold(false);
  p.setFont(line);
  p.drawText(QRect(0, 196, 254, 20), Qt::AlignCenter, "APRS digipeater and telemetry");
  p.setPen(kSignal);
  p.drawText(QRect(0, 220, 254, 20), Qt::AlignCenter, "Configurator");
  return picture;
}

QPixmap LogoPicture() {
  QPixmap picture(169, 41);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  FillBackground(p, picture.rect());
  p.setPen(QPen(Qt::white, 1.5));
  DrawMast(p, QPointF(22, 8), 28);
  p.setPen(QPen(kSignal, 1.5));
  DrawWaves(p, QPointF(22, 8), 6, 2);
  QFont name = p.font();
  name.setPointSize(14);
  name.setBold(true);
  p.setFont(name);
  p.setPen(Qt::white);
  p.drawText(QRect(44, 0, 125, 41), Qt::AlignVCenter | Qt::AlignLeft, "TARNVIK");
  return picture;
}

}  // namespace tarnvik
