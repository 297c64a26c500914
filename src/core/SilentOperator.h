#pragma once
// An operator that is told everything and shows nothing: for work whose
// outcome the caller reports in its own words (decoding a backup, which the
// log line after it describes) and for measuring the core without a window.

#include <optional>
#include <string>

#include "core/Operator.h"

namespace tarnvik {

class SilentOperator : public Operator {
 public:
  void logLine(const std::string&) override {}
  void progressStart(int) override {}
  void progressStep() override {}
  void progressReset() override {}
  void informationBox(const std::string&, const std::string&) override {}
  void plainBox(const std::string&) override {}
  void errorBox(const std::string&) override {}
  // Chooses no file: whatever asks for one is cancelled.
  std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
};

}  // namespace tarnvik
