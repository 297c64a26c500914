#pragma once
// The core's texts as the window shows them. The program's own texts are
// 8-bit ISO 8859-1, as every text of the unit is; a file name inside a
// message is the platform layer's text of the name and is shown as
// ShownFileName gives it, so each part has its own rule.

#include <QString>
#include <exception>
#include <string>

#include "core/FileMessage.h"

namespace tarnvik {

QString ShownText(const std::string& latin1);
QString ShownText(const FileMessage& message);

// The message of an error that ended an operation (no full stop added).
QString ShownError(const std::exception& error);

}  // namespace tarnvik
