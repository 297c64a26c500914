#pragma once
// A message that names a file. The program's own texts are 8-bit ISO 8859-1,
// as every text of the unit is; a file name is the file system's bytes, which
// the window shows as the system's file-name encoding gives them (UTF-8 on
// most systems). The name is therefore kept apart from the texts around it,
// so that each part can be shown by its own rule.

#include <string>

namespace tarnvik {

struct FileMessage {
  std::string before;    // the program's text before the name
  std::string fileName;  // the file system's bytes
  std::string after;     // the program's text after the name

  // The whole message as one byte string, as a terminal shows it.
  std::string bytes() const { return before + fileName + after; }
};

}  // namespace tarnvik
