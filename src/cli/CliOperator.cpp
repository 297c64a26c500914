#include "cli/CliOperator.h"

#include <ostream>

namespace tarnvik::cli {

CliOperator::CliOperator(std::ostream& messages) : messages_(messages) {}

void CliOperator::logLine(const std::string& line) { messages_ << line << '\n' << std::flush; }

void CliOperator::informationBox(const std::string& text, const std::string&) { box(text); }

void CliOperator::plainBox(const std::string& text) { box(text); }

void CliOperator::errorBox(const std::string& text) { box(text); }

void CliOperator::box(const std::string& text) { messages_ << text << '\n' << std::flush; }

}  // namespace tarnvik::cli
