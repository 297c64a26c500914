#include "app/WindowQuestions.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include "core/AppInfo.h"
#include "ui/CaptionRoom.h"

namespace tarnvik {

QString UnsavedQuestion(UnsavedMoment moment) {
  const QString changed = QStringLiteral("The settings have changed since they were last saved, read or written.\n");
  switch (moment) {
    case UnsavedMoment::Closing: return changed + QStringLiteral("Save them to a file before closing?");
    case UnsavedMoment::Replacing: return changed + QStringLiteral("Save them to a file before they are replaced?");
  }
  return changed;
}

// Qt's own captions carry no mnemonic on most desktops: the program's do.
UnsavedAnswer AskUnsaved(QWidget& parent, UnsavedMoment moment) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAppTitle), UnsavedQuestion(moment),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &parent);
  box.setObjectName(QStringLiteral("UnsavedQuestion"));
  box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  MakeRoomForCaption(box);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return UnsavedAnswer::Save;
  return answer == QMessageBox::Discard ? UnsavedAnswer::Discard : UnsavedAnswer::Cancel;
}

bool AskReplace(QWidget& parent, const std::string& file) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                  QFile::decodeName(QByteArray::fromStdString(file)) +
                      QStringLiteral(" already exists.\nDo you want to replace it?"),
                  QMessageBox::Yes | QMessageBox::No, &parent);
  box.setObjectName(QStringLiteral("ReplaceQuestion"));
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Replace"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  MakeRoomForCaption(box);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tarnvik
