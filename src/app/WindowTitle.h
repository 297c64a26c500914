#pragma once
// The main window's caption: the program's caption alone while no file was
// read or saved and nothing changed; otherwise the file's name first, marked
// with "*" while the settings differ from the file or unit they were last
// read from or written to, as desktop programs show it:
// "unit1.cfg* - Tarnvik Configurator v1.04".

#include <QString>

namespace tarnvik {

// `file` is the file's name without its folder; empty when there is none.
QString WindowTitle(const QString& file, bool changed);

}  // namespace tarnvik
