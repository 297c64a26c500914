#pragma once
// Runs the built tarnvik-cli as a process, as a script or an operator would:
// through the shell on POSIX systems (started directly on Windows), its
// output streams caught in files.

#include <string>
#include <vector>

namespace tarnvik::test {

struct ToolRun {
  int status = -1;  // exit status; -1 when the process was killed by a signal (a crash, an abort)
  std::string out;  // standard output
  std::string err;  // standard error
  std::vector<std::string> lines() const;  // standard output, line by line
};

// The tarnvik-cli built beside the test program.
std::string ToolPath();

// Runs one bash command line (pipes, redirections, process substitution)
// and collects the standard output and error of all of it; the status is
// that of its last command. The script and the output go through files in
// `scratchFolder`. POSIX systems only.
ToolRun RunShell(const std::string& line, const std::string& scratchFolder);

// Runs "<env> tarnvik-cli <args>" (paths without blanks or quotes).
ToolRun RunTool(const std::string& args, const std::string& scratchFolder, const std::string& env = {});

}  // namespace tarnvik::test
