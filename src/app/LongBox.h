#pragma once
// A message box for a message too long for one: a verify error lists every
// page that differs, and 36 such pages made a message box 1220 pixels tall,
// its button below the screen's edge. The message's first line stands as
// the box's text and the rest in a scrolled area below it, selectable and
// copyable, and the box is never taller than the screen it opens on.

#include <QDialog>
#include <QMessageBox>

class QLabel;
class QPlainTextEdit;

namespace tarnvik {

// More lines than this, and a message goes to a LongBox.
inline constexpr int kLongMessageLines = 12;

bool IsLongMessage(const QString& text);

class LongBox : public QDialog {
  Q_OBJECT
 public:
  LongBox(QWidget& parent, QMessageBox::Icon icon, const QString& caption, const QString& text);

  QString shortText() const;
  QString details() const;

 private:
  void fitOnScreen();

  QLabel* text_;
  QPlainTextEdit* details_;
};

}  // namespace tarnvik
