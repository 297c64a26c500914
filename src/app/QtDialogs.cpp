#include "app/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/LongBox.h"
#include "core/AppInfo.h"
#include "ui/CaptionRoom.h"
#include "ui/ShownText.h"

namespace tarnvik {

namespace {

// "Description|pattern" as the dialogs of the configurator write it; Qt reads
// the pattern from the parentheses of the description.
QString QtFilter(const std::string& filter) {
  const auto bar = filter.find('|');
  if (bar == std::string::npos) return ShownText(filter);
  const QString description = ShownText(filter.substr(0, bar));
  const QString pattern = ShownText(filter.substr(bar + 1));
  if (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))) return description;
  return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

// The text can be selected and copied (a path, an error to look up).
void ShowBox(QWidget& parent, QMessageBox::Icon icon, const std::string& caption, const QString& text) {
  if (IsLongMessage(text)) {
    LongBox(parent, icon, ShownText(caption), text).exec();
    return;
  }
  QMessageBox box(icon, ShownText(caption), text, QMessageBox::Ok, &parent);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  MakeRoomForCaption(box);
  box.exec();
}

}  // namespace

void QtDialogs::informationBox(const std::string& text, const std::string& caption) {
  ShowBox(parent_, QMessageBox::Information, caption, ShownText(text));
}

void QtDialogs::plainBox(const std::string& text) { ShowBox(parent_, QMessageBox::NoIcon, kAppTitle, ShownText(text)); }

void QtDialogs::errorBox(const std::string& text) {
  ShowBox(parent_, QMessageBox::Critical, kAppTitle, ShownText(text));
}

void QtDialogs::fileErrorBox(const FileMessage& message) {
  ShowBox(parent_, QMessageBox::Critical, kAppTitle, ShownText(message));
}

void QtDialogs::fileInformationBox(const FileMessage& message, const std::string& caption) {
  ShowBox(parent_, QMessageBox::Information, caption, ShownText(message));
}

std::optional<std::string> QtDialogs::chooseFile(const FileRequest& request) {
  QFileDialog dialog(&parent_, ShownText(request.title), QFile::decodeName(request.initialFolder.c_str()),
                     QtFilter(request.filter));
  const bool save = request.mode == FileRequest::Mode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a typed name is taken as it is
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (!request.defaultName.empty()) dialog.selectFile(QFile::decodeName(request.defaultName.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QByteArray path = QFile::encodeName(dialog.selectedFiles().first());
  return std::string(path.constData(), std::size_t(path.size()));
}

}  // namespace tarnvik
