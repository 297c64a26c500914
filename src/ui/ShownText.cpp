#include "ui/ShownText.h"

#include "core/OperationError.h"
#include "platform/ConsoleText.h"
#include "ui/FileNameText.h"

namespace tarnvik {

QString ShownText(const std::string& text) {
  const std::u16string shown = platform::ConsoleText(text);
  return QString::fromUtf16(shown.data(), qsizetype(shown.size()));
}

QString ShownText(const FileMessage& message) {
  return ShownText(message.before) + ShownFileName(message.fileName) + ShownText(message.after);
}

QString ShownError(const std::exception& error) {
  const auto* operation = dynamic_cast<const OperationError*>(&error);
  if (operation != nullptr && operation->fileMessage() != nullptr) return ShownText(*operation->fileMessage());
  return ShownText(error.what());
}

}  // namespace tarnvik
