#pragma once
// The main window's client area, which holds the frame's controls at their
// places (FrameLayout). Its least size is the classic 734 x 419; made larger
// with the window, it gives all the added width and height to the message
// log, which then shows more lines, and keeps the progress bar along its
// bottom edge. The buttons, the logo and the tabs keep their places and
// sizes, so the tabs' layout never changes (unless a page lacks room: see
// widenTabs).

#include <QWidget>

namespace tarnvik {

class ClientArea : public QWidget {
  Q_OBJECT
 public:
  explicit ClientArea(QWidget* parent = nullptr);

  // Widens the tabs and the least size by `pixels`, for a page whose
  // controls need more room than the classic frame gives them (a style with
  // wider lists than the desktop's, as Windows' classic one): the page's
  // controls then never lie over each other. The log and the progress bar
  // widen with them.
  void widenTabs(int pixels);

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace tarnvik
