#include "app/WindowOperator.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>

#include "ui/ShownText.h"

namespace tarnvik {

WindowOperator::WindowOperator(QPlainTextEdit& log, QProgressBar& progress, Dialogs& dialogs)
    : log_(log), progress_(progress), dialogs_(dialogs) {}

void WindowOperator::logLine(const std::string& line) { log_.appendPlainText(ShownText(line)); }

void WindowOperator::logLines(const std::vector<std::string>& lines) {
  QStringList shown;
  for (const std::string& line : lines) shown << ShownText(line);
  log_.appendPlainText(shown.join(QLatin1Char('\n')));
}

void WindowOperator::showProgress(ProgressState state) {
  // A range of 0 to 0 would make Qt show a busy animation instead of an empty bar.
  progress_.setRange(0, state.maximum > 0 ? state.maximum : 1);
  progress_.setValue(state.value);
}

ProgressState WindowOperator::progress() const { return {progress_.maximum(), progress_.value()}; }

void WindowOperator::progressStart(int pageCount) { showProgress({pageCount, 0}); }

void WindowOperator::progressStep() { progress_.setValue(progress_.value() + 1); }

void WindowOperator::progressReset() { progress_.setValue(0); }

void WindowOperator::informationBox(const std::string& text, const std::string& caption) {
  dialogs_.informationBox(text, caption);
}

void WindowOperator::plainBox(const std::string& text) { dialogs_.plainBox(text); }

void WindowOperator::errorBox(const std::string& text) { dialogs_.errorBox(text); }

void WindowOperator::fileErrorBox(const FileMessage& message) { dialogs_.fileErrorBox(message); }

void WindowOperator::fileInformationBox(const FileMessage& message, const std::string& caption) {
  dialogs_.fileInformationBox(message, caption);
}

std::optional<std::string> WindowOperator::chooseFile(const FileRequest& request) {
  return dialogs_.chooseFile(request);
}

}  // namespace tarnvik
