#pragma once
// The configurator's command line: `tarnvik-configurator [FILE]`. A FILE is
// opened as Read from file opens the file chosen in its dialog, which is
// what a file manager or the desktop menu passes (%f).

#include <QString>
#include <QStringList>

namespace tarnvik {

struct CommandLine {
  QString file;       // empty: none named
  QString error;      // not empty: the arguments are wrong; says why
  bool done = false;  // --help or --version was answered: nothing to run
  QString output;     // what --help or --version prints
};

// `arguments` as QCoreApplication::arguments() gives them (program first).
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace tarnvik
