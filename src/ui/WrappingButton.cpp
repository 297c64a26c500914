#include "ui/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tarnvik {

namespace {
constexpr int kAir = 3;  // left and right of the longer line, and above and below the two
}

WrappingButton::WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

// The space nearest the middle, so that the two lines are about as long.
QString WrappingButton::shownCaption() const {
  const QString caption = text();
  int best = -1;
  for (int i = 0; i < caption.size(); ++i)
    if (caption[i] == QLatin1Char(' ') &&
        (best < 0 || std::abs(i - caption.size() / 2) < std::abs(best - caption.size() / 2)))
      best = i;
  if (best < 0) return caption;
  return caption.left(best) + QLatin1Char('\n') + caption.mid(best + 1);
}

QSize WrappingButton::sizeHint() const {
  const QSize text = fontMetrics().size(Qt::TextShowMnemonic, shownCaption());
  return {text.width() + 2 * kAir, text.height() + 2 * kAir};
}

void WrappingButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  p.drawControl(QStyle::CE_PushButtonBevel, option);
  p.drawItemText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), shownCaption(),
                 QPalette::ButtonText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(2, 2, -2, -2);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace tarnvik
