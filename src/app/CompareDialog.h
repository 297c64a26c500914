#pragma once
// The dialog that lists what a comparison found: one line per setting that
// differs, "Tab: Label: window's value -> other value" (SettingNames), or
// "No differences.".
// The list can be selected and copied, and its Copy button puts all of it on
// the clipboard. It is one dialog of the window, shown again for each
// comparison, modal to the window without holding up the program.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace tarnvik {

class CompareDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CompareDialog(QWidget& parent);

  // Shows the lines under `heading`, with `title` as the dialog's caption.
  void showLines(const QString& title, const QString& heading, const QStringList& lines);
  // What the list shows, as the clipboard gets it.
  QString listText() const;

 private:
  QLabel* heading_;
  QPlainTextEdit* list_;
};

}  // namespace tarnvik
