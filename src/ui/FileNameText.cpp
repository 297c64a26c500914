#include "ui/FileNameText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include "platform/PathText.h"

namespace tarnvik {

std::string CoreFileName(const QString& name) {
  const QString native = QDir::toNativeSeparators(name);
  const QByteArray bytes = platform::NameTextIsUtf8() ? native.toUtf8() : QFile::encodeName(native);
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString ShownFileName(const std::string& name) { return QDir::toNativeSeparators(ShownName(name)); }

QString ShownName(const std::string& name) {
  const QByteArray bytes(name.data(), qsizetype(name.size()));
  return platform::NameTextIsUtf8() ? QString::fromUtf8(bytes) : QFile::decodeName(bytes);
}

}  // namespace tarnvik
