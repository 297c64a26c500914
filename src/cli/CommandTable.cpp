#include "cli/CommandTable.h"

#include <CLI/CLI.hpp>
#include <initializer_list>

#include "cli/Commands.h"
#include "cli/DeviceCommands.h"

namespace tarnvik::cli {

namespace {

using A = Arguments;

// The options several commands share, each written once.
const OptionEntry kUtc{"--utc", "Use this UTC time (YYYY-MM-DDTHH:MM) in place of the PC clock", &A::utc};
const OptionEntry kStamp{"--stamp", "Use this write stamp (0 to 9999) in place of a random one", &A::stamp, false, 0,
                         9999};
const OptionEntry kInput{"FILE",          "Input file, or - for standard input", &A::input, true, 0, 0, FileRole::Input,
                         "the input file"};
const OptionEntry kOutput{"-o,--output",
                          "Output file, replaced only on success; - for standard output",
                          &A::output,
                          true,
                          0,
                          0,
                          FileRole::Output,
                          "the output file"};
const OptionEntry kSimulate{"--simulate",
                            "Talk to the simulated unit kept in this folder (created when missing) instead of USB; "
                            "the default is the folder in TARNVIK_SIMULATED_UNIT, if set",
                            &A::simulate,
                            false,
                            0,
                            0,
                            FileRole::UnitFolder};
const OptionEntry kDevice{"--device", "Use the unit with this path, as list prints it, when several are attached",
                          &A::device};
const OptionEntry kTimeout{
    "--timeout-ms", "How long each exchange waits for the unit's answer (ms)", &A::timeoutMs, false, 1, 600000};
const OptionEntry kTrace{"--trace",
                         "Write every report sent and received to this file (a regular file, replaced)",
                         &A::trace,
                         false,
                         0,
                         0,
                         FileRole::Trace,
                         "the trace"};

std::vector<OptionEntry> FileOptions(std::initializer_list<OptionEntry> own) {
  std::vector<OptionEntry> options(own);
  options.insert(options.end(), {kUtc, kStamp});
  return options;
}

std::vector<OptionEntry> DeviceOptions(std::initializer_list<OptionEntry> own) {
  std::vector<OptionEntry> options(own);
  options.insert(options.end(), {kSimulate, kDevice, kTimeout, kTrace, kUtc});
  return options;
}

std::vector<CommandEntry> MakeTable() {
  return {
      {"defaults",
       "Write the start-up settings as a configuration file, as Save to file does from a freshly started window.",
       FileOptions({kOutput}), "Example:\n  tarnvik-cli defaults -o template.cfg",
       [](const CommandContext& c, const A& a) { return WriteDefaults(c, a.output); }},
      {"check",
       "Read a configuration file as Read from file does and check it as Write config does; prints OK when every "
       "check passes.",
       FileOptions({kInput}), "Examples:\n  tarnvik-cli check unit1.cfg\n  cat unit1.cfg | tarnvik-cli check -",
       [](const CommandContext& c, const A& a) { return CheckFile(c, a.input); }},
      {"encode",
       "Read a configuration file and encode it into the 2048-byte image the unit stores, as Write config does.",
       FileOptions({kInput, kOutput}),
       "Example:\n  tarnvik-cli encode unit1.cfg -o unit1.bin --utc 2026-07-03T09:05 --stamp 1",
       [](const CommandContext& c, const A& a) { return EncodeFile(c, a.input, a.output); }},
      {"decode",
       "Read a 2048-byte configuration image, test its checksum, decode it as Read config does and write its "
       "settings as a configuration file.",
       FileOptions({kInput, kOutput}), "Example:\n  tarnvik-cli decode unit1.bin -o unit1.cfg",
       [](const CommandContext& c, const A& a) { return DecodeImageFile(c, a.input, a.output); }},
      {"diff",
       "Compare two configurations, each a configuration file or a 2048-byte image: one line per setting the unit "
       "would hold differently.",
       FileOptions({{"A", "First configuration file or image, or - for standard input", &A::input, true, 0, 0,
                     FileRole::Input, "the first configuration"},
                    {"B", "Second configuration file or image", &A::second, true, 0, 0, FileRole::Input,
                     "the second configuration"}}),
       "Examples:\n"
       "  tarnvik-cli diff unit1.cfg unit2.cfg      # prints e.g. Callsign: \"OH2ABC\" -> \"OH2XYZ\"\n"
       "  tarnvik-cli diff unit1.cfg backup.bin     # a file against an image read from the unit\n"
       "Exit status: 0 the same for the unit, 1 different, 2 an input that cannot be read or is refused.",
       [](const CommandContext& c, const A& a) { return DiffConfigs(c, a.input, a.second); }},
      {"get", "Print the values of named settings, one per line.",
       FileOptions({kInput,
                    {"NAME", "Setting names (as in the window, or the file's keys)", &A::names, true},
                    {"--entries", "Print a choice's entry text in place of its index", &A::entries}}),
       "Examples:\n"
       "  tarnvik-cli get unit1.cfg Callsign Ssid Ptt           # one value per line: OH2ABC, 4, 1\n"
       "  tarnvik-cli get unit1.cfg Ptt --entries               # 2k2 resistor\n"
       "  ssid=$(tarnvik-cli get unit1.cfg Ssid)",
       [](const CommandContext& c, const A& a) { return GetSettings(c, a.input, a.names, a.entries); }},
      {"set",
       "Change named settings of a configuration file, check the result as Write config does, and save it to OUT "
       "only when it passes.",
       FileOptions(
           {kInput,
            kOutput,
            {"NAME=VALUE", "Settings to change; a choice by its index or its entry text", &A::assignments, true}}),
       "Examples:\n"
       "  tarnvik-cli set template.cfg Callsign=OH2XYZ Ssid=4 -o unit4.cfg\n"
       "  tarnvik-cli set unit4.cfg \"Ptt=2k2 resistor\" Squelch=3 -o unit4.cfg   # Squelch index 3 is level 4\n"
       "  for n in 1 2 3; do tarnvik-cli set template.cfg Ssid=$n \"Beacon1_msg=Unit $n\" -o unit$n.cfg; done",
       [](const CommandContext& c, const A& a) { return SetSettings(c, a.input, a.assignments, a.output); }},
      {"read",
       "Read config: read the unit's configuration, check and decode it, save it as a configuration file, then "
       "print the unit's firmware version.",
       DeviceOptions({{"-o,--output", "Configuration file, written only when the image was good", &A::output, true, 0,
                       0, FileRole::Output, "the configuration file of -o"},
                      {"--raw", "Also keep the 2048 bytes read (zeros from a failed page on)", &A::raw, false, 0, 0,
                       FileRole::Output, "the image of --raw"}}),
       "Example:\n  tarnvik-cli read -o unit1.cfg --raw unit1.bin", ReadCommand, true},
      {"write",
       "Write config: load a configuration file as Read from file does, check and encode it, and write it to the "
       "unit.",
       DeviceOptions(
           {{"FILE", "Configuration file", &A::input, true, 0, 0, FileRole::Input, "the configuration file to write"},
            kStamp,
            {"--backup",
             "First read the unit's configuration and save it to this file, and its raw image beside it "
             "(.bin for .cfg); if that fails, nothing is written",
             &A::backup, false, 0, 0, FileRole::Backup, "the backup"},
            {"--verify", "After writing, read the 64 pages back and compare; name the pages and settings that differ",
             &A::verify}}),
       "Examples:\n"
       "  tarnvik-cli write unit1.cfg\n"
       "  tarnvik-cli write unit1.cfg --backup before.cfg --verify   # before.cfg and before.bin, then read back\n"
       "  tarnvik-cli write before.cfg                               # undo",
       WriteCommand, true},
      {"firmware", "Upload firmware: send a firmware file (at most 54272 bytes) to the unit.",
       DeviceOptions({{"FILE", "Firmware file", &A::input, true, 0, 0, FileRole::Input, "the firmware file"}}),
       "Example:\n  tarnvik-cli firmware tarnvik-firmware.bin", FirmwareCommand, true},
      {"version", "Ask the unit for its firmware version.", DeviceOptions({}),
       "Example:\n  tarnvik-cli version --timeout-ms 2000", VersionCommand, true},
      {"list", "List the Tarnvik units attached: device path and hardware identifier.", DeviceOptions({}),
       "Example:\n  tarnvik-cli list", ListCommand, true},
  };
}

// An empty value names nothing: taken as given, it would read as an option
// left out (no backup, no trace, the real unit in place of --simulate's).
const CLI::Validator& NotEmpty() {
  static const CLI::Validator check(
      [](const std::string& value) {
        return value.empty() ? std::string("an empty value names nothing") : std::string();
      },
      "", "NOT EMPTY");
  return check;
}

void AddOption(CLI::App& command, const OptionEntry& entry, Arguments& args) {
  CLI::Option* option = nullptr;
  if (const auto* flag = std::get_if<bool A::*>(&entry.target)) {
    command.add_flag(entry.name, args.*(*flag), entry.help);
    return;
  }
  std::visit(
      [&](auto member) {
        if constexpr (!std::is_same_v<decltype(member), bool A::*>)
          option = command.add_option(entry.name, args.*member, entry.help);
      },
      entry.target);
  if (entry.required) option->required();
  option->check(NotEmpty());
  if (entry.max > entry.min) option->check(CLI::Range(entry.min, entry.max));
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
  static const std::vector<CommandEntry> table = MakeTable();
  return table;
}

void AddCommands(CLI::App& app, Arguments& args) {
  for (const CommandEntry& entry : CommandTable()) {
    CLI::App* command = app.add_subcommand(entry.name, entry.help);
    for (const OptionEntry& option : entry.options) AddOption(*command, option, args);
  }
}

const CommandEntry* ChosenCommand(const CLI::App& app) {
  for (const CommandEntry& entry : CommandTable())
    if (app.got_subcommand(entry.name)) return &entry;
  return nullptr;
}

}  // namespace tarnvik::cli
