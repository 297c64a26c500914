#include "app/ManualText.h"

namespace tarnvik {

QStringList ManualSections() {
  return {QStringLiteral("The window"), QStringLiteral("Command-line tool"),
          QStringLiteral("Trying it without a unit: the simulated unit"), QStringLiteral("USB access on Linux")};
}

QString OperatorManual(const QString& readme) {
  const QStringList kept = ManualSections();
  QStringList manual;
  bool keeping = true;  // the opening, before the first section
  bool inCode = false;
  for (const QString& line : readme.split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("```"))) inCode = !inCode;
    if (!inCode && line.startsWith(QStringLiteral("## "))) keeping = kept.contains(line.mid(3).trimmed());
    if (keeping) manual << line;
  }
  return manual.join(QLatin1Char('\n'));
}

}  // namespace tarnvik
