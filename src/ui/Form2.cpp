#include "ui/Form2.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "ui/CaptionRoom.h"

namespace tarnvik {

namespace {

struct TextLine {
  const char* text;
  int gapBefore;  // empty lines' worth of space above, in lines
};

// The lines as the unit's manual words them; "Example:" stands after a gap.
constexpr TextLine kLines[] = {
    {"<date> - inserts current time in format: DDHHMM. ", 0},
    {"<lat> - inserts latitude defined on  \"Radio\" Tab.", 0},
    {"<long> - inserts longitude defined on  \"Radio\" Tab.", 0},
    {"<volt> - inserts measured input voltage.", 0},
    {"Example:", 1},
    {"@<date>z<lat>/<long>-Tarnvik Test.", 0},
};

constexpr int kMargin = 6;
constexpr QSize kClassicSize(251, 116);  // the dialog's size in the classic 8-point layout

}  // namespace

// The dialog uses the main window's font and grows from its classic size
// until every line fits on one line and its caption has room.
Form2::Form2(QWidget* parent) : QDialog(parent) {
  setObjectName("Form2");
  if (parent != nullptr) setFont(parent->font());  // the main window's font, as every dialog of the program
  setWindowTitle(QStringLiteral("Beacon special strings"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const QFontMetrics metrics = fontMetrics();
  const int step = metrics.lineSpacing();
  int width = kClassicSize.width(), top = kMargin;
  for (const TextLine& line : kLines) {
    const QString text = QString::fromLatin1(line.text);
    top += line.gapBefore * step;
    auto* label = new QLabel(text, this);
    const int textWidth = metrics.horizontalAdvance(text);
    label->setGeometry(kMargin, top, textWidth + 1, step);
    width = std::max(width, textWidth + 1 + 2 * kMargin);
    top += step;
  }
  width = std::max(width, CaptionWidth(*this));
  setFixedSize(width, std::max(kClassicSize.height(), top + kMargin));
  move(539, 321);
}

}  // namespace tarnvik
