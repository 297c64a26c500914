#pragma once
// A group box whose caption sits on its top border, as in classic dialogs,
// so that buttons placed at the group's pixel offsets stand inside its frame.
// Its caption needs only its own width and a few pixels either side.

#include <QGroupBox>

namespace tarnvik {

class CaptionedGroup : public QGroupBox {
  Q_OBJECT
 public:
  CaptionedGroup(const QString& caption, QWidget* parent);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarnvik
