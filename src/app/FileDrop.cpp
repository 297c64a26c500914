#include "app/FileDrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace tarnvik {

FileDrop::FileDrop(QWidget& window, std::function<void(const QString&)> open, std::function<bool()> allowed)
    : QObject(&window), window_(window), open_(std::move(open)), allowed_(std::move(allowed)) {
  window.setAcceptDrops(true);
  qApp->installEventFilter(this);
}

QString FileDrop::DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &window_) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const QString file = DroppedFile(drop->mimeData());
  if (file.isEmpty()) return false;
  if (!allowed_()) {
    drop->ignore();
    return true;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop) open_(file);
  return true;
}

}  // namespace tarnvik
