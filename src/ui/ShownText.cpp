#include "ui/ShownText.h"

#include <QByteArray>
#include <QFile>

#include "core/OperationError.h"

namespace tarnvik {

QString ShownText(const std::string& latin1) { return QString::fromLatin1(latin1.data(), qsizetype(latin1.size())); }

QString ShownText(const FileMessage& message) {
  const QByteArray name(message.fileName.data(), qsizetype(message.fileName.size()));
  return ShownText(message.before) + QFile::decodeName(name) + ShownText(message.after);
}

QString ShownError(const std::exception& error) {
  const auto* operation = dynamic_cast<const OperationError*>(&error);
  if (operation != nullptr && operation->fileMessage() != nullptr) return ShownText(*operation->fileMessage());
  return ShownText(error.what());
}

}  // namespace tarnvik
