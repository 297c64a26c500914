#include "cli/Help.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/CommandTable.h"
#include "cli/Nearest.h"

namespace tarnvik::cli {

namespace {

constexpr const char* kToolExamples =
    "Examples:\n"
    "  tarnvik-cli defaults -o template.cfg\n"
    "  tarnvik-cli set template.cfg Callsign=OH2XYZ Ssid=4 -o unit4.cfg\n"
    "  tarnvik-cli write unit4.cfg --backup before.cfg --verify\n"
    "  tarnvik-cli diff before.cfg unit4.cfg\n"
    "Run tarnvik-cli COMMAND --help for a command's options and examples; man tarnvik-cli for the manual.";

std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const CommandEntry& command : CommandTable()) names.push_back(command.name);
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

std::string CommandHint(const std::string& typed) {
  const std::vector<std::string> names = CommandNames();
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
  app.footer(std::string("\n") + kToolExamples);
  for (const CommandEntry& command : CommandTable())
    app.get_subcommand(command.name)->footer(std::string("\n") + command.examples);
}

std::string NearestHint(const CLI::App& app, const std::vector<std::string>& args) {
  const auto first = std::find_if(args.begin(), args.end(), [](const std::string& a) { return !LooksLikeOption(a); });
  if (first == args.end()) return {};
  const CLI::App* command = nullptr;
  for (const CLI::App* candidate : app.get_subcommands([](const CLI::App*) { return true; }))
    if (candidate->get_name() == *first) command = candidate;
  if (command == nullptr) return CommandHint(*first);
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
