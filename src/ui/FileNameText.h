#pragma once
// File names as they cross between Qt and the core. The core holds a name as
// the platform layer's text: the file system's own bytes on POSIX systems,
// UTF-8 on Windows. Qt's own conversion to 8 bits (QFile::encodeName, the
// local 8-bit encoding) gives the ANSI code page on Windows, where every
// character outside it is lost and `unit ä.cfg` could name another file, so
// the window converts names only through these two.
//
// Names go to the core, and come back from it, with the system's separators
// (`C:\Users\op\unit.cfg` on Windows), so that every message and every title
// shows a path as the system writes it.

#include <QString>
#include <string>

namespace tarnvik {

std::string CoreFileName(const QString& name);
QString ShownFileName(const std::string& name);

// A name decoded as ShownFileName decodes it, its separators kept: a unit's
// device path (Windows' `\\?\hid#...`, or a simulated unit's folder) is
// the system's name for a device, shown exactly as the tool's `list` shows it.
QString ShownName(const std::string& name);

}  // namespace tarnvik
