#include "support/ToolProcess.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/TestFiles.h"

namespace tarnvik::test {

namespace fs = std::filesystem;

std::vector<std::string> ToolRun::lines() const {
  std::vector<std::string> all;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

ToolRun RunTool(const std::string& args, const std::string& scratchFolder, const std::string& env) {
  const fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "tarnvik-cli";
  const fs::path out = fs::path(scratchFolder) / "out.txt", err = fs::path(scratchFolder) / "err.txt";
  const std::string command = env + " " + tool.string() + " " + args + " >" + out.string() + " 2>" + err.string();
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
}

}  // namespace tarnvik::test
