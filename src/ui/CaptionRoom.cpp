#include "ui/CaptionRoom.h"

#include <QGridLayout>
#include <QMessageBox>

namespace tarnvik {

namespace {
constexpr int kTitleBarButtons = 90;  // the icon, three buttons and the margins around the caption
}

int CaptionWidth(const QWidget& window) {
  QFont title = window.font();
  title.setBold(true);
  return QFontMetrics(title).horizontalAdvance(window.windowTitle()) + kTitleBarButtons;
}

// A message box lays itself out in a grid; an empty item across all of it
// holds it open.
void MakeRoomForCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  grid->addItem(new QSpacerItem(CaptionWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

}  // namespace tarnvik
