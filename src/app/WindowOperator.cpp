#include "app/WindowOperator.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "ui/ShownText.h"

namespace tarnvik {

namespace {

// Paint often enough to follow every line, without letting repainting cost
// more than the USB exchanges it reports on.
constexpr qint64 kPaintIntervalMs = 15;

}  // namespace

WindowOperator::WindowOperator(QPlainTextEdit& log, QProgressBar& progress, Dialogs& dialogs)
    : log_(log), progress_(progress), dialogs_(dialogs) {
  sincePaint_.start();
}

void WindowOperator::showProgress() {
  if (sincePaint_.elapsed() < kPaintIntervalMs) return;
  QApplication::processEvents();
  sincePaint_.restart();
}

void WindowOperator::logLine(const std::string& line) {
  log_.appendPlainText(ShownText(line));
  showProgress();
}

void WindowOperator::progressStart(int pageCount) {
  // A range of 0 to 0 would make Qt show a busy animation instead of an empty bar.
  progress_.setRange(0, pageCount > 0 ? pageCount : 1);
  progress_.setValue(0);
  showProgress();
}

void WindowOperator::progressStep() {
  progress_.setValue(progress_.value() + 1);
  showProgress();
}

void WindowOperator::progressReset() { progress_.setValue(0); }

void WindowOperator::informationBox(const std::string& text, const std::string& caption) {
  dialogs_.informationBox(text, caption);
}

void WindowOperator::plainBox(const std::string& text) { dialogs_.plainBox(text); }

void WindowOperator::errorBox(const std::string& text) { dialogs_.errorBox(text); }

void WindowOperator::fileErrorBox(const FileMessage& message) { dialogs_.fileErrorBox(message); }

std::optional<std::string> WindowOperator::chooseFile(const FileRequest& request) {
  return dialogs_.chooseFile(request);
}

}  // namespace tarnvik
