#pragma once
// A push button whose caption breaks into two lines at its middle space,
// for a row too narrow for the caption on one line. Its text stays the
// caption as it is (screen readers and mnemonics see the one text); only
// the drawing breaks it.

#include <QPushButton>

namespace tarnvik {

class WrappingButton : public QPushButton {
  Q_OBJECT
 public:
  WrappingButton(const QString& caption, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // The caption as drawn, with its line break.
  QString shownCaption() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarnvik
