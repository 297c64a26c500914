#pragma once
// The core's texts as the window shows them. A log line or a message holds
// bytes of two kinds: the unit's texts (a callsign, a comment) are ISO
// 8859-1, while names of files and the system's messages are UTF-8 (on
// POSIX systems a name is the file system's bytes, which are UTF-8 on any
// current desktop). They are shown as a console shows them: each valid UTF-8
// sequence as its character, every other byte as Latin-1 (see
// platform/ConsoleText.h). A FileMessage keeps its file name apart, shown as
// ShownFileName gives it.

#include <QString>
#include <exception>
#include <string>

#include "core/FileMessage.h"

namespace tarnvik {

QString ShownText(const std::string& text);
QString ShownText(const FileMessage& message);

// The message of an error that ended an operation (no full stop added).
QString ShownError(const std::exception& error);

}  // namespace tarnvik
