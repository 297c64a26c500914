#pragma once
// The tool's commands in one table: name, options, help, examples and
// handler. The parser, the help, the suggestions for a mistyped command and
// the checks made before a command runs all read it, so a command is spelled
// once, and a command line either names one of them or is refused.

#include <string>
#include <variant>
#include <vector>

#include "cli/Arguments.h"

namespace CLI {
class App;
}

namespace tarnvik::cli {

struct CommandContext;

// What an option does with the file it names, for the checks made before a
// command runs (FileChecks.h).
enum class FileRole {
  None,
  Input,       // read (standard input for "-")
  Output,      // written at the end (standard output for "-", where a command allows it)
  Backup,      // written before the unit is written, with its image beside it
  Trace,       // written while the unit is asked
  UnitFolder,  // the simulated unit's folder
};

struct OptionEntry {
  const char* name;  // as the parser takes it: "FILE", "-o,--output", "--utc"
  const char* help;
  std::variant<std::string Arguments::*, int Arguments::*, bool Arguments::*, std::vector<std::string> Arguments::*>
      target;
  bool required = false;
  int min = 0, max = 0;  // the range of a number, when max > min
  FileRole role = FileRole::None;
  const char* what = "";  // for a file: what it is, as a message names it
};

struct CommandEntry {
  const char* name;
  const char* help;
  std::vector<OptionEntry> options;
  const char* examples;
  int (*run)(const CommandContext& context, const Arguments& args);
  // Talks to the unit: its log lines go to standard output, so none of its
  // files may be standard output.
  bool device = false;
};

// Every command, in the order the help lists them.
const std::vector<CommandEntry>& CommandTable();

// Adds every command of the table, with its options bound to `args`.
void AddCommands(CLI::App& app, Arguments& args);

// The command the parsed command line names, or nullptr.
const CommandEntry* ChosenCommand(const CLI::App& app);

}  // namespace tarnvik::cli
