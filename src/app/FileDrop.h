#pragma once
// Takes a file dropped anywhere on the window, text fields included (which
// would otherwise take its name as text): one local file is offered to the
// window, which opens it as Read from file does. Anything else dragged
// (text, several files, a web address) is left to the widgets as before.

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace tarnvik {

class FileDrop : public QObject {
  Q_OBJECT
 public:
  // `open` gets the file's path; `allowed` says whether a drop is taken now.
  FileDrop(QWidget& window, std::function<void(const QString&)> open, std::function<bool()> allowed);

  // The one local file a drag carries; empty for anything else.
  static QString DroppedFile(const QMimeData* data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<void(const QString&)> open_;
  std::function<bool()> allowed_;
};

}  // namespace tarnvik
