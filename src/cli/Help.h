#pragma once
// Help that teaches: the tool's help and every command's help end with
// examples, and a command line the parser refuses is answered with the
// nearest valid command or option ("Did you mean ...?").

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tarnvik::cli {

// Puts the examples under the help of the tool and of each of its commands;
// call once every command has been added.
void AddExamples(CLI::App& app);

// Makes the parser's failure message (CLI::App::exit) name the nearest valid
// command or option for the arguments given (without the program's name).
void SuggestOnFailure(CLI::App& app, std::vector<std::string> args);

// The hint for a refused command line, or an empty text when there is none.
std::string NearestHint(const CLI::App& app, const std::vector<std::string>& args);

}  // namespace tarnvik::cli
