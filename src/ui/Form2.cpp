#include "ui/Form2.h"

#include <QFontMetrics>
#include <QLabel>

namespace tarnvik {

namespace {

struct TextLine {
  const char* text;
  int top;
};

// The lines as the unit's manual words them; "Example:" stands after a gap.
constexpr TextLine kLines[] = {
    {"<date> - inserts current time in format: DDHHMM. ", 4},
    {"<lat> - inserts latitude defined on  \"Radio\" Tab.", 20},
    {"<long> - inserts longitude defined on  \"Radio\" Tab.", 36},
    {"<volt> - inserts measured input voltage.", 52},
    {"Example:", 78},
    {"@<date>z<lat>/<long>-Tarnvik Test.", 94},
};

constexpr int kMargin = 6;

// The lines must fit the dialog's width without wrapping, whatever font the
// desktop offers: take the largest size up to 11 pixels at which they do.
QFont FittingFont(QFont font, int width) {
  for (int pixels = 11; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    const QFontMetrics metrics(font);
    bool fits = true;
    for (const TextLine& line : kLines)
      fits = fits && metrics.horizontalAdvance(QString::fromLatin1(line.text)) <= width;
    if (fits) break;
  }
  return font;
}

}  // namespace

Form2::Form2(QWidget* parent) : QDialog(parent) {
  setObjectName("Form2");
  setWindowTitle(QStringLiteral("Beacon special strings"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(251, 116);
  move(539, 321);
  setFont(FittingFont(font(), width() - 2 * kMargin));
  for (const TextLine& line : kLines) {
    auto* label = new QLabel(QString::fromLatin1(line.text), this);
    label->setGeometry(kMargin, line.top, width() - kMargin, 16);
  }
}

}  // namespace tarnvik
