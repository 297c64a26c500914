#pragma once
// The command-line tool's operator: every message the window would show in a
// box goes to standard error, one line per line of the box, so scripts see
// the program's own texts. Log lines go to standard error too. There are no
// file dialogs: files are named on the command line.

#include <iosfwd>

#include "core/Operator.h"

namespace tarnvik::cli {

class CliOperator : public Operator {
 public:
  explicit CliOperator(std::ostream& messages);

  void logLine(const std::string& line) override;
  void progressStart(int) override {}
  void progressStep() override {}
  void progressReset() override {}
  void informationBox(const std::string& text, const std::string& caption) override;
  void plainBox(const std::string& text) override;
  void errorBox(const std::string& text) override;
  std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }

 private:
  void box(const std::string& text);

  std::ostream& messages_;
};

}  // namespace tarnvik::cli
