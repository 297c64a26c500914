// The tool run through bash, as a script runs it.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/TestFiles.h"
#include "support/ToolProcess.h"

namespace tarnvik::test {

namespace fs = std::filesystem;

ToolRun RunShell(const std::string& line, const std::string& scratchFolder) {
  const fs::path folder(scratchFolder);
  WriteAll(folder / "run.sh", line + "\n");
  const std::string command = "bash " + (folder / "run.sh").string() + " >" + (folder / "out.txt").string() + " 2>" +
                              (folder / "err.txt").string();
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) && WEXITSTATUS(raw) < 128 ? WEXITSTATUS(raw) : -1;
  return {status, ReadAll(folder / "out.txt"), ReadAll(folder / "err.txt")};
}

ToolRun RunTool(const std::string& args, const std::string& scratchFolder, const std::string& env) {
  return RunShell(env + " " + ToolPath() + " " + args, scratchFolder);
}

}  // namespace tarnvik::test
