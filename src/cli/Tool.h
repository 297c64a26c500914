#pragma once
// The whole tool behind main(): parse the command line against the command
// table, then run the command it names under the one guard, with --utc and
// --stamp taken once for every command and the files named checked before
// anything is read, written or asked.

#include <iosfwd>

namespace tarnvik::cli {

// argv as main() gets it. Results go to `out`, messages to `messages`.
int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& messages);

}  // namespace tarnvik::cli
