#pragma once
// The tool's operator for the device commands: the window's log lines go to
// standard output, one per line, flushed as they happen, and so does the
// firmware version box (the one plain box of the device operations), so a
// script reads the unit's answers on one stream. Every other box goes to
// standard error, one line per line of its text. The file dialog of Upload
// firmware is answered with the file named on the command line.

#include <iosfwd>
#include <string>

#include "cli/CliOperator.h"

namespace tarnvik::cli {

class DeviceCliOperator : public CliOperator {
 public:
  DeviceCliOperator(std::ostream& out, std::ostream& messages, std::string chosenFile = {});

  void logLine(const std::string& line) override;
  void plainBox(const std::string& text) override;
  std::optional<std::string> chooseFile(const FileRequest& request) override;

 private:
  std::ostream& out_;
  std::string chosenFile_;
};

}  // namespace tarnvik::cli
