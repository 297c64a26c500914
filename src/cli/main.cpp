// tarnvik-cli: configuration files and images of the Tarnvik unit without
// the window, for scripts. It runs the same core code as the configurator.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/CommandGuard.h"
#include "cli/Commands.h"
#include "cli/DeviceOptions.h"
#include "cli/Help.h"
#include "cli/UtcOption.h"

namespace {

using namespace tarnvik;
using namespace tarnvik::cli;

struct Arguments {
  std::string utc;
  int stamp = -1;
  std::string input;
  std::string second;  // diff: B
  std::string output;
  std::vector<std::string> names;        // get
  std::vector<std::string> assignments;  // set
  bool entryText = false;                // get --entries
};

void AddCommonOptions(CLI::App& command, Arguments& args) {
  command.add_option("--utc", args.utc, "Use this UTC time (YYYY-MM-DDTHH:MM) in place of the PC clock");
  command.add_option("--stamp", args.stamp, "Use this write stamp (0 to 9999) in place of a random one")
      ->check(CLI::Range(0, 9999));
}

CLI::App* AddCommand(CLI::App& app, Arguments& args, const char* name, const char* help, bool input, bool output) {
  CLI::App* command = app.add_subcommand(name, help);
  if (input) command->add_option("FILE", args.input, "Input file, or - for standard input")->required();
  if (output) command->add_option("-o,--output", args.output, "Output file, replaced only on success")->required();
  AddCommonOptions(*command, args);
  return command;
}

// The commands on configuration files and images: name, help, whether they
// take an input file and an output file.
struct FileCommand {
  const char* name;
  const char* help;
  bool input, output;
};

constexpr FileCommand kFileCommands[] = {
    {"defaults",
     "Write the start-up settings as a configuration file, as Save to file does from a freshly started window.", false,
     true},
    {"check",
     "Read a configuration file as Read from file does and check it as Write config does; prints OK when every "
     "check passes.",
     true, false},
    {"encode",
     "Read a configuration file and encode it into the 2048-byte image the unit stores, as Write config does.", true,
     true},
    {"decode",
     "Read a 2048-byte configuration image, test its checksum, decode it as Read config does and write its "
     "settings as a configuration file.",
     true, true},
};

void AddSettingCommands(CLI::App& app, Arguments& args) {
  CLI::App* diff = app.add_subcommand("diff",
                                      "Compare two configurations, each a configuration file or a 2048-byte image: "
                                      "one line per setting the unit would hold differently.");
  diff->add_option("A", args.input, "First configuration file or image, or - for standard input")->required();
  diff->add_option("B", args.second, "Second configuration file or image")->required();
  AddCommonOptions(*diff, args);
  CLI::App* get = AddCommand(app, args, "get", "Print the values of named settings, one per line.", true, false);
  get->add_option("NAME", args.names, "Setting names (as in the window, or the file's keys)")->required();
  get->add_flag("--entries", args.entryText, "Print a choice's entry text in place of its index");
  CLI::App* set = AddCommand(app, args, "set",
                             "Change named settings of a configuration file, check the result as Write config "
                             "does, and save it to OUT only when it passes.",
                             true, true);
  set->add_option("NAME=VALUE", args.assignments, "Settings to change; a choice by its index or its entry text")
      ->required();
}

int Run(const CLI::App& app, const Arguments& args) {
  PcClock clock = SystemPcClock();
  if (!args.utc.empty()) {
    const auto fixed = ParseUtcOption(args.utc);
    if (!fixed) {
      std::cerr << "--utc expects a UTC time as YYYY-MM-DDTHH:MM, not " << args.utc << '\n';
      return kUsageOrIo;
    }
    clock = *fixed;
  }
  std::optional<std::uint16_t> stamp;
  if (args.stamp >= 0) stamp = static_cast<std::uint16_t>(args.stamp);
  const CommandContext context{clock, stamp, std::cout, std::cerr};
  if (app.got_subcommand("defaults")) return WriteDefaults(context, args.output);
  if (app.got_subcommand("check")) return CheckFile(context, args.input);
  if (app.got_subcommand("encode")) return EncodeFile(context, args.input, args.output);
  if (app.got_subcommand("diff")) return DiffConfigs(context, args.input, args.second);
  if (app.got_subcommand("get")) return GetSettings(context, args.input, args.names, args.entryText);
  if (app.got_subcommand("set")) return SetSettings(context, args.input, args.assignments, args.output);
  return DecodeImageFile(context, args.input, args.output);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app(
      "Tarnvik Configurator on the command line: make, check, compare, edit, encode and decode the "
      "configuration files and configuration images of the Tarnvik APRS digipeater and telemetry unit, and "
      "read and write the unit over USB.",
      "tarnvik-cli");
  app.require_subcommand(1);
  Arguments args;
  for (const FileCommand& command : kFileCommands)
    AddCommand(app, args, command.name, command.help, command.input, command.output);
  AddSettingCommands(app, args);
  DeviceArguments device;
  AddDeviceCommands(app, device);
  AddExamples(app);
  SuggestOnFailure(app, std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? kDone : kUsageOrIo;
  }
  return GuardCommand(std::cout, std::cerr,
                      [&] { return IsDeviceCommand(app) ? RunDeviceCommand(app, device) : Run(app, args); });
}
