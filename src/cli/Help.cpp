#include "cli/Help.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/Nearest.h"

namespace tarnvik::cli {

namespace {

struct Examples {
  const char* command;  // "" for the tool itself
  const char* text;
};

constexpr Examples kExamples[] = {
    {"",
     "Examples:\n"
     "  tarnvik-cli defaults -o template.cfg\n"
     "  tarnvik-cli set template.cfg Callsign=OH2XYZ Ssid=4 -o unit4.cfg\n"
     "  tarnvik-cli write unit4.cfg --backup before.cfg --verify\n"
     "  tarnvik-cli diff before.cfg unit4.cfg\n"
     "Run tarnvik-cli COMMAND --help for a command's options and examples; man tarnvik-cli for the manual."},
    {"defaults", "Example:\n  tarnvik-cli defaults -o template.cfg"},
    {"check", "Examples:\n  tarnvik-cli check unit1.cfg\n  cat unit1.cfg | tarnvik-cli check -"},
    {"encode", "Example:\n  tarnvik-cli encode unit1.cfg -o unit1.bin --utc 2026-07-03T09:05 --stamp 1"},
    {"decode", "Example:\n  tarnvik-cli decode unit1.bin -o unit1.cfg"},
    {"diff",
     "Examples:\n"
     "  tarnvik-cli diff unit1.cfg unit2.cfg      # prints e.g. Callsign: \"OH2ABC\" -> \"OH2XYZ\"\n"
     "  tarnvik-cli diff unit1.cfg backup.bin     # a file against an image read from the unit\n"
     "Exit status: 0 the same for the unit, 1 different, 2 an input that cannot be read or is refused."},
    {"get",
     "Examples:\n"
     "  tarnvik-cli get unit1.cfg Callsign Ssid Ptt           # one value per line: OH2ABC, 4, 1\n"
     "  tarnvik-cli get unit1.cfg Ptt --entries               # 2k2 resistor\n"
     "  ssid=$(tarnvik-cli get unit1.cfg Ssid)"},
    {"set",
     "Examples:\n"
     "  tarnvik-cli set template.cfg Callsign=OH2XYZ Ssid=4 -o unit4.cfg\n"
     "  tarnvik-cli set unit4.cfg \"Ptt=2k2 resistor\" Squelch=3 -o unit4.cfg   # Squelch index 3 is level 4\n"
     "  for n in 1 2 3; do tarnvik-cli set template.cfg Ssid=$n \"Beacon1_msg=Unit $n\" -o unit$n.cfg; done"},
    {"read", "Example:\n  tarnvik-cli read -o unit1.cfg --raw unit1.bin"},
    {"write",
     "Examples:\n"
     "  tarnvik-cli write unit1.cfg\n"
     "  tarnvik-cli write unit1.cfg --backup before.cfg --verify   # before.cfg and before.bin, then read back\n"
     "  tarnvik-cli write before.cfg                               # undo"},
    {"firmware", "Example:\n  tarnvik-cli firmware tarnvik-firmware.bin"},
    {"version", "Example:\n  tarnvik-cli version --timeout-ms 2000"},
    {"list", "Example:\n  tarnvik-cli list"},
};

std::vector<std::string> CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
    names.push_back(command->get_name());
  return names;
}

std::vector<std::string> OptionNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
  }
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

bool LooksLikeOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

std::string CommandHint(const CLI::App& app, const std::string& typed) {
  const std::vector<std::string> names = CommandNames(app);
  if (const auto nearest = NearestName(typed, names))
    return "Unknown command \"" + typed + "\". Did you mean \"" + *nearest + "\"?";
  return "Unknown command \"" + typed + "\". The commands are: " + Joined(names) + ".";
}

std::string OptionHint(const CLI::App& app, const CLI::App& command, const std::string& typed) {
  const std::vector<std::string> names = OptionNames(command);
  std::string hint = "Unknown option \"" + typed + "\" for " + command.get_name() + ".";
  // Any one letter is near any other: only long names are guessed.
  const auto nearest = typed.starts_with("--") ? NearestName(typed, names) : std::nullopt;
  if (nearest) return hint + " Did you mean \"" + *nearest + "\"?";
  std::vector<std::string> owners;
  for (const CLI::App* other : app.get_subcommands([](const CLI::App*) { return true; }))
    if (other->get_option_no_throw(typed) != nullptr) owners.push_back(other->get_name());
  if (!owners.empty()) return hint + " It is an option of: " + Joined(owners) + ".";
  return hint + " Its options are: " + Joined(names) + ".";
}

}  // namespace

void AddExamples(CLI::App& app) {
  for (const Examples& examples : kExamples) {
    CLI::App* target = *examples.command == '\0' ? &app : app.get_subcommand(examples.command);
    target->footer(std::string("\n") + examples.text);
  }
}

std::string NearestHint(const CLI::App& app, const std::vector<std::string>& args) {
  const auto first = std::find_if(args.begin(), args.end(), [](const std::string& a) { return !LooksLikeOption(a); });
  if (first == args.end()) return {};
  const CLI::App* command = nullptr;
  for (const CLI::App* candidate : app.get_subcommands([](const CLI::App*) { return true; }))
    if (candidate->get_name() == *first) command = candidate;
  if (command == nullptr) return CommandHint(app, *first);
  for (auto arg = std::next(first); arg != args.end(); ++arg) {
    if (!LooksLikeOption(*arg)) continue;
    // --name=value, or -o with its value joined on (-ofile)
    const std::string name = arg->starts_with("--") ? arg->substr(0, arg->find('=')) : arg->substr(0, 2);
    if (name != "--help" && name != "-h" && command->get_option_no_throw(name) == nullptr)
      return OptionHint(app, *command, name);
  }
  return {};
}

void SuggestOnFailure(CLI::App& app, std::vector<std::string> args) {
  app.failure_message([args = std::move(args)](const CLI::App* failed, const CLI::Error& error) {
    std::string message = std::string(error.what()) + '\n';
    const std::string hint = NearestHint(*failed, args);
    if (!hint.empty()) message += hint + '\n';
    return message + "Run tarnvik-cli --help, or tarnvik-cli COMMAND --help, for more information.\n";
  });
}

}  // namespace tarnvik::cli
