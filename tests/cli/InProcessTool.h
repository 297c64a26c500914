#pragma once
// Runs tarnvik-cli's whole command line in the test's own process, as main()
// runs it, and a snapshot of a folder to tell what a run touched.

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Tool.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "support/TestFiles.h"
#include "support/ToolProcess.h"

namespace tarnvik::test {

// The words of `line` (split at blanks) after the program's name, with every
// "%" standing for `folder` and a slash, and '' for an empty word.
inline ToolRun RunInProcess(const std::string& line, const std::string& folder) {
  std::vector<std::string> words{"tarnvik-cli"};
  std::istringstream in(line);
  for (std::string word; in >> word;) {
    for (std::size_t at; (at = word.find('%')) != std::string::npos;) word.replace(at, 1, folder + "/");
    words.push_back(word == "''" ? std::string() : word);
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());
  std::ostringstream out, err;
  const int status = cli::RunTool(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

// Every entry under `root` by its path there: a file by its content and
// identity, anything else by its kind.
inline std::map<std::string, std::string> Snapshot(const std::string& root) {
  namespace fs = std::filesystem;
  using Kind = platform::FileStatus::Kind;
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(platform::PathOf(root))) {
    const std::string name = platform::TextOf(fs::relative(entry.path(), platform::PathOf(root)));
    const platform::FileStatus status = platform::StatusOf(platform::TextOf(entry.path()), platform::Links::Keep);
    if (status.kind == Kind::Regular)
      entries[name] = std::to_string(status.id.file) + ":" + ReadAll(entry.path());
    else
      entries[name] = fs::is_symlink(entry.symlink_status()) ? "link"
                      : status.kind == Kind::Folder          ? "folder"
                                                             : "other";
  }
  return entries;
}

// `text` with every '%' replaced by `folder` and a slash: the cases' file
// names, placed in the test's folder.
inline std::string Filled(std::string text, const std::string& folder) {
  for (std::size_t at; (at = text.find('%')) != std::string::npos;) text.replace(at, 1, folder + "/");
  return text;
}

}  // namespace tarnvik::test
