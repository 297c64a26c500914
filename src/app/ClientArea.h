#pragma once
// The main window's client area, which holds the frame's controls at their
// places (FrameLayout). Its least size is the classic 734 x 419; made larger
// with the window, it gives all the added width and height to the message
// log, which then shows more lines, and keeps the progress bar along its
// bottom edge. The buttons, the logo and the tabs keep their places and
// sizes, so the tabs' layout never changes.

#include <QWidget>

namespace tarnvik {

class ClientArea : public QWidget {
  Q_OBJECT
 public:
  explicit ClientArea(QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace tarnvik
