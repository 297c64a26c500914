#include "app/ClientArea.h"

#include <QResizeEvent>

#include "app/FrameLayout.h"

namespace tarnvik {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ClientArea"));
  setMinimumSize(frame::kClientWidth, frame::kClientHeight);
}

void ClientArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize added = size() - QSize(frame::kClientWidth, frame::kClientHeight);
  const frame::Place& memo = frame::kMemo;
  const frame::Place& bar = frame::kProgressBar;
  if (auto* log = findChild<QWidget*>(QString::fromLatin1(memo.name), Qt::FindDirectChildrenOnly))
    log->setGeometry(memo.left, memo.top, memo.width + added.width(), memo.height + added.height());
  if (auto* progress = findChild<QWidget*>(QString::fromLatin1(bar.name), Qt::FindDirectChildrenOnly))
    progress->setGeometry(bar.left, bar.top + added.height(), bar.width + added.width(), bar.height);
}

}  // namespace tarnvik
