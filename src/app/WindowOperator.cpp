#include "app/WindowOperator.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "core/AppInfo.h"

namespace tarnvik {

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

// "Description|pattern" as the dialogs of the configurator write it; Qt reads
// the pattern from the parentheses of the description.
QString QtFilter(const std::string& filter) {
  const auto bar = filter.find('|');
  if (bar == std::string::npos) return Latin1(filter);
  const QString description = Latin1(filter.substr(0, bar));
  const QString pattern = Latin1(filter.substr(bar + 1));
  if (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))) return description;
  return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

void ShowBox(QWidget& parent, QMessageBox::Icon icon, const std::string& caption, const std::string& text) {
  QMessageBox box(icon, Latin1(caption), Latin1(text), QMessageBox::Ok, &parent);
  box.exec();
}

// Paint often enough to follow every line, without letting repainting cost
// more than the USB exchanges it reports on.
constexpr qint64 kPaintIntervalMs = 15;

}  // namespace

WindowOperator::WindowOperator(QPlainTextEdit& log, QProgressBar& progress, QWidget& parent)
    : log_(log), progress_(progress), parent_(parent) {
  sincePaint_.start();
}

void WindowOperator::showProgress() {
  if (sincePaint_.elapsed() < kPaintIntervalMs) return;
  QApplication::processEvents();
  sincePaint_.restart();
}

void WindowOperator::logLine(const std::string& line) {
  log_.appendPlainText(Latin1(line));
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
  ShowBox(parent_, QMessageBox::Information, caption, text);
}

void WindowOperator::plainBox(const std::string& text) { ShowBox(parent_, QMessageBox::NoIcon, kAppTitle, text); }

void WindowOperator::errorBox(const std::string& text) { ShowBox(parent_, QMessageBox::Critical, kAppTitle, text); }

std::optional<std::string> WindowOperator::chooseFile(const FileRequest& request) {
  QFileDialog dialog(&parent_, QString(), QFile::decodeName(request.initialFolder.c_str()), QtFilter(request.filter));
  const bool save = request.mode == FileRequest::Mode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a typed name is taken as it is
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  // Qt's own dialog behaves alike on every desktop: no extension added, any typed name accepted.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (!request.defaultName.empty()) dialog.selectFile(QFile::decodeName(request.defaultName.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QByteArray path = QFile::encodeName(dialog.selectedFiles().first());
  return std::string(path.constData(), std::size_t(path.size()));
}

}  // namespace tarnvik
