#include "ui/FieldSample.h"

#include <QFontMetrics>
#include <algorithm>

namespace tarnvik {

namespace {

// `pattern` cut to `length`, or followed by `fill` up to it.
QString Shaped(const char* pattern, int length, QChar fill) {
  QString text = QString::fromLatin1(pattern).left(length);
  while (text.size() < length) text.append(fill);
  return text;
}

// Ordinary English text with capitals, digits and punctuation; its average
// character sets how wide a message of a given length is.
constexpr int kShortestWord = 5;

constexpr const char* kProse =
    "Tarnvik digi on 144.800 MHz, 73 de WB2MWM. The quick brown fox jumps over the lazy dog. ";

}  // namespace

QString LongestValue(FieldKind kind, int length) {
  if (length <= 0) return {};
  switch (kind) {
    case FieldKind::Digits: return QString(length, QLatin1Char('0'));
    case FieldKind::Decimal:
      return length < 4 ? QString(length, QLatin1Char('0'))
                        : QLatin1Char('-') + QString(length - 4, QLatin1Char('0')) + QStringLiteral(".00");
    case FieldKind::Callsign: return Shaped("WB2MWM", length, QLatin1Char('W'));
    case FieldKind::Position:
      return length < 5 ? QString(length, QLatin1Char('0'))
                        : QString(length - 4, QLatin1Char('0')) + QStringLiteral(".00W");
    case FieldKind::Word: return QString(std::max(length, kShortestWord), QLatin1Char('0'));
    case FieldKind::Prose: {
      QString text;
      while (text.size() < length) text += QString::fromLatin1(kProse);
      return text.left(length);
    }
  }
  return {};
}

int TextFieldWidth(const QFontMetrics& metrics, FieldKind kind, int length) {
  return metrics.horizontalAdvance(LongestValue(kind, length)) + kTextFieldPadding;
}

}  // namespace tarnvik
