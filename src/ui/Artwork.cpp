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

// Background, mast and waves: the emblem both pictures share, scaled by the
// mast's height, its top and the pen width.
void DrawEmblem(QPainter& p, const QRect& area, QPointF top, qreal height, qreal pen) {
  p.setRenderHint(QPainter::Antialiasing);
  FillBackground(p, area);
  p.setPen(QPen(Qt::white, pen));
  DrawMast(p, top, height);
  p.setPen(QPen(kSignal, pen * 1.5));
  DrawWaves(p, top, height / 6, height > 50 ? 3 : 2);
}

void UseFont(QPainter& p, int points, bool bold) {
  QFont font = p.font();
  font.setPointSize(points);
  font.setBold(bold);
  p.setFont(font);
}

}  // namespace

QPixmap SplashPicture() {
  QPixmap picture(254, 254);
  QPainter p(&picture);
  DrawEmblem(p, picture.rect(), QPointF(127, 40), 110, 2);
  p.setPen(Qt::white);
  UseFont(p, 22, true);
  p.drawText(QRect(0, 160, 254, 36), Qt::AlignCenter, QStringLiteral("TARNVIK"));
  UseFont(p, 9, false);
  p.drawText(QRect(0, 196, 254, 20), Qt::AlignCenter, QStringLiteral("APRS digipeater and telemetry"));
  p.setPen(kSignal);
  p.drawText(QRect(0, 220, 254, 20), Qt::AlignCenter, QStringLiteral("Configurator"));
  return picture;
}

QPixmap LogoPicture() {
  QPixmap picture(169, 41);
  QPainter p(&picture);
  DrawEmblem(p, picture.rect(), QPointF(22, 8), 28, 1.5);
  p.setPen(Qt::white);
  UseFont(p, 14, true);
  p.drawText(QRect(44, 0, 125, 41), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("TARNVIK"));
  return picture;
}

QPixmap EmblemPicture(int size) {
  QPixmap picture(size, size);
  QPainter p(&picture);
  DrawEmblem(p, picture.rect(), QPointF(size / 2.0, size * 0.2), size * 0.72, size / 40.0);
  return picture;
}

}  // namespace tarnvik
