#include "support/ToolProcess.h"

#include <sstream>

#include "support/TestSystem.h"

namespace tarnvik::test {

std::vector<std::string> ToolRun::lines() const {
  std::vector<std::string> all;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

std::string ToolPath() { return ProgramBesideTests("tarnvik-cli"); }

}  // namespace tarnvik::test
