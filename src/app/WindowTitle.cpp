#include "app/WindowTitle.h"

#include "core/AppInfo.h"

namespace tarnvik {

QString WindowTitle(const QString& file, bool changed) {
  const QString caption = QString::fromLatin1(MainWindowCaption());
  const QString mark = changed ? QStringLiteral("*") : QString();
  if (file.isEmpty()) return caption + mark;
  return file + mark + QStringLiteral(" - ") + caption;
}

}  // namespace tarnvik
