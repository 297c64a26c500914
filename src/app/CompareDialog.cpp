#include "app/CompareDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "safeguard/SettingDifferences.h"

namespace tarnvik {

CompareDialog::CompareDialog(QWidget& parent)
    : QDialog(&parent), heading_(new QLabel(this)), list_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("CompareDialog"));
  setWindowModality(Qt::WindowModal);
  heading_->setObjectName(QStringLiteral("CompareHeading"));
  heading_->setWordWrap(true);
  list_->setObjectName(QStringLiteral("CompareList"));
  list_->setReadOnly(true);
  list_->setLineWrapMode(QPlainTextEdit::NoWrap);
  list_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("CompareCopy"));
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(listText()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addWidget(heading_);
  column->addWidget(list_);
  column->addWidget(buttons);
  resize(640, 360);
}

void CompareDialog::showLines(const QString& title, const QString& heading, const QStringList& lines) {
  setWindowTitle(title);
  heading_->setText(heading);
  list_->setPlainText(lines.empty() ? QString::fromLatin1(kNoDifferences) : lines.join(QLatin1Char('\n')));
  open();
  raise();
}

QString CompareDialog::listText() const { return list_->toPlainText(); }

}  // namespace tarnvik
