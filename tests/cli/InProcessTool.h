#pragma once
// Runs tarnvik-cli's whole command line in the test's own process, as main()
// runs it, and a snapshot of a folder to tell what a run touched.

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Tool.h"
#include "support/TestFiles.h"
#include "support/ToolProcess.h"

namespace tarnvik::test {

// The words of `line` (split at blanks) after the program's name, with every
// "%" standing for `folder` and a slash.
inline ToolRun RunInProcess(const std::string& line, const std::string& folder) {
  std::vector<std::string> words{"tarnvik-cli"};
  std::istringstream in(line);
  for (std::string word; in >> word;) {
    for (std::size_t at; (at = word.find('%')) != std::string::npos;) word.replace(at, 1, folder + "/");
    words.push_back(word);
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());
  std::ostringstream out, err;
  const int status = cli::RunTool(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

// Every entry under `root` by its path there: a file by its content and
// inode, anything else by its kind.
inline std::map<std::string, std::string> Snapshot(const std::string& root) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).string();
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    if (S_ISREG(info.st_mode))
      entries[name] = std::to_string(info.st_ino) + ":" + ReadAll(entry.path());
    else
      entries[name] = S_ISLNK(info.st_mode) ? "link" : S_ISDIR(info.st_mode) ? "folder" : "other";
  }
  return entries;
}

}  // namespace tarnvik::test
