#pragma once
// Runs the built tarnvik-cli as a process, as a script or an operator would:
// through the shell, its output streams caught in files.

#include <string>
#include <vector>

namespace tarnvik::test {

struct ToolRun {
  int status = -1;                         // exit status; -1 when the tool did not exit (a crash, an abort)
  std::string out;                         // standard output
  std::string err;                         // standard error
  std::vector<std::string> lines() const;  // standard output, line by line
};

// Runs "<env> tarnvik-cli <args>" in the shell (paths without blanks or
// quotes), the tool being the one built beside the test program. The output
// goes through files in `scratchFolder`.
ToolRun RunTool(const std::string& args, const std::string& scratchFolder, const std::string& env = {});

}  // namespace tarnvik::test
