// The tool started directly, with its command line split into words as bash
// splits the lines the tests give: at blanks, with "double", 'single' and
// $'ANSI-C' quotes (\xHH, \\, \', \", \n, \r, \t) but no expansions.
// Standard input is empty. The line is kept in run.sh and the output goes
// through out.txt and err.txt in the scratch folder, as through the shell.
#include <string>
#include <utility>

#include "support/TestFiles.h"
#include "support/TestSystem.h"
#include "support/ToolProcess.h"

namespace tarnvik::test {

namespace {

// The character an ANSI-C escape at `at` (after the backslash) stands for;
// `at` moves past it.
char Escaped(const std::string& line, std::size_t& at) {
  const char c = line[at++];
  if (c == 'n') return '\n';
  if (c == 'r') return '\r';
  if (c == 't') return '\t';
  if (c != 'x') return c;
  std::size_t digits = 0;
  const int value = std::stoi(line.substr(at, 2), &digits, 16);
  at += digits;
  return static_cast<char>(value);
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t at = 0; at < line.size();) {
    const char c = line[at++];
    if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(std::exchange(word, {}));
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '$' && at < line.size() && line[at] == '\'') {
      for (++at; at < line.size() && line[at] != '\'';) word += line[at] == '\\' ? Escaped(line, ++at) : line[at++];
      ++at;
    } else if (c == '\'' || c == '"') {
      for (; at < line.size() && line[at] != c; ++at)
        word += c == '"' && line[at] == '\\' && at + 1 < line.size() ? line[++at] : line[at];
      ++at;
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

}  // namespace

ToolRun RunTool(const std::string& args, const std::string& scratchFolder, const std::string& env) {
  const std::filesystem::path folder = platform::PathOf(scratchFolder);
  const std::string out = platform::TextOf(folder / "out.txt"), err = platform::TextOf(folder / "err.txt");
  WriteAll(folder / "run.sh", env + " " + ToolPath() + " " + args + "\n");
  std::vector<std::string> arguments{ToolPath()};
  for (std::string& word : Words(args)) arguments.push_back(std::move(word));
  const int status = RunProgram(arguments, {}, out, err, Words(env));
  return {status, ReadAll(out), ReadAll(err)};
}

}  // namespace tarnvik::test
