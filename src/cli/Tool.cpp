#include "cli/Tool.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/CommandGuard.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "cli/FileChecks.h"
#include "cli/Help.h"
#include "cli/UtcOption.h"

namespace tarnvik::cli {

namespace {

constexpr const char* kDescription =
    "Tarnvik Configurator on the command line: make, check, compare, edit, encode and decode the configuration "
    "files and configuration images of the Tarnvik APRS digipeater and telemetry unit, and read and write the unit "
    "over USB.";

PcClock ClockFrom(const std::string& utc) {
  if (utc.empty()) return SystemPcClock();
  std::optional<PcClock> fixed = ParseUtcOption(utc);
  if (!fixed) throw SetupError{"--utc expects a UTC time as YYYY-MM-DDTHH:MM, not " + utc};
  return *fixed;
}

std::optional<std::uint16_t> StampFrom(int stamp) {
  if (stamp < 0) return std::nullopt;
  return static_cast<std::uint16_t>(stamp);
}

int Run(const CommandEntry& command, const Arguments& args, std::ostream& out, std::ostream& messages) {
  const CommandContext context{ClockFrom(args.utc), StampFrom(args.stamp), out, messages};
  CheckFiles(command, args);
  return command.run(context, args);
}

}  // namespace

int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& messages) {
  CLI::App app(kDescription, "tarnvik-cli");
  // Options start with '-' on every system: an argument such as /Users/op/unit.cfg
  // (on Windows a path from the current drive's root) is a path, never /option.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);
  Arguments args;
  AddCommands(app, args);
  AddExamples(app);
  SuggestOnFailure(app, std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error, out, messages) == 0 ? kDone : kUsageOrIo;
  }
  const CommandEntry* const command = ChosenCommand(app);
  if (command == nullptr) {  // the parser requires one: never silently another
    messages << "A subcommand is required\n";
    return kUsageOrIo;
  }
  return GuardCommand(out, messages, [&] { return Run(*command, args, out, messages); });
}

}  // namespace tarnvik::cli
