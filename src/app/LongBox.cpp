#include "app/LongBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>

namespace tarnvik {

namespace {

QStyle::StandardPixmap PixmapOf(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Critical: return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Warning: return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Question: return QStyle::SP_MessageBoxQuestion;
    default: return QStyle::SP_MessageBoxInformation;
  }
}

}  // namespace

bool IsLongMessage(const QString& text) { return text.count(QLatin1Char('\n')) >= kLongMessageLines; }

LongBox::LongBox(QWidget& parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
    : QDialog(&parent),
      text_(new QLabel(text.section(QLatin1Char('\n'), 0, 0), this)),
      details_(new QPlainTextEdit(text.section(QLatin1Char('\n'), 1), this)) {
  setObjectName(QStringLiteral("LongBox"));
  setWindowTitle(caption);
  auto* iconLabel = new QLabel(this);
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  if (icon != QMessageBox::NoIcon)
    iconLabel->setPixmap(style()->standardIcon(PixmapOf(icon), nullptr, this).pixmap(side));
  text_->setWordWrap(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  details_->setObjectName(QStringLiteral("LongBoxDetails"));
  details_->setReadOnly(true);
  details_->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* grid = new QGridLayout(this);
  grid->addWidget(iconLabel, 0, 0, Qt::AlignTop);
  grid->addWidget(text_, 0, 1);
  grid->addWidget(details_, 1, 0, 1, 2);
  grid->addWidget(buttons, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  fitOnScreen();
}

QString LongBox::shortText() const { return text_->text(); }

QString LongBox::details() const { return details_->toPlainText(); }

// As wide as the longest line (within the screen), and as tall as all the
// lines but at most two thirds of the screen: the area scrolls beyond that.
void LongBox::fitOnScreen() {
  const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QFontMetrics metrics = details_->fontMetrics();
  int widest = 0;
  for (const QString& line : details().split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  const int lines = static_cast<int>(details().count(QLatin1Char('\n'))) + 1;
  const int frame = 2 * details_->frameWidth() + 2 * static_cast<int>(details_->document()->documentMargin()) + 4;
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  details_->setMinimumWidth(std::min(widest + frame + scrollBar, room.width() * 3 / 4));
  details_->setMinimumHeight(std::min(lines * metrics.lineSpacing() + frame, room.height() / 2));
  setMaximumHeight(room.height() * 9 / 10);
  resize(sizeHint().boundedTo(room.size() * 9 / 10));
}

}  // namespace tarnvik
