#include "cli/DeviceCliOperator.h"

#include <ostream>

namespace tarnvik::cli {

DeviceCliOperator::DeviceCliOperator(std::ostream& out, std::ostream& messages, std::string chosenFile)
    : CliOperator(messages), out_(out), chosenFile_(std::move(chosenFile)) {}

void DeviceCliOperator::logLine(const std::string& line) { out_ << line << '\n' << std::flush; }

void DeviceCliOperator::plainBox(const std::string& text) { out_ << text << '\n' << std::flush; }

std::optional<std::string> DeviceCliOperator::chooseFile(const FileRequest&) {
  if (chosenFile_.empty()) return std::nullopt;
  return chosenFile_;
}

}  // namespace tarnvik::cli
