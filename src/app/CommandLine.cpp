#include "app/CommandLine.h"

#include <QCommandLineParser>

#include "core/AppInfo.h"

namespace tarnvik {

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Edits every setting of the Tarnvik APRS digipeater and telemetry unit."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A configuration file to open (.cfg)."),
                               QStringLiteral("[FILE]"));
  CommandLine line;
  if (!parser.parse(arguments)) {
    line.error = parser.errorText();
    return line;
  }
  if (parser.isSet(help) || parser.isSet(version)) {
    line.done = true;
    line.output = parser.isSet(help) ? parser.helpText() : QString::fromLatin1(MainWindowCaption()) + QLatin1Char('\n');
    return line;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    line.error = QStringLiteral("Only one configuration file can be opened at a time.");
  else if (!files.isEmpty())
    line.file = files.first();
  return line;
}

}  // namespace tarnvik
