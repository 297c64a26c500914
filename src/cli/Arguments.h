#pragma once
// Everything the command line gives a command, as the parser fills it from
// the command table (CommandTable.h). Each command reads only its own.

#include <string>
#include <vector>

namespace tarnvik::cli {

struct Arguments {
  std::string input;                     // FILE; A of diff
  std::string second;                    // B of diff
  std::string output;                    // -o
  std::vector<std::string> names;        // get: NAME...
  std::vector<std::string> assignments;  // set: NAME=VALUE...
  bool entries = false;                  // get --entries
  std::string utc;                       // --utc: stands in for the PC clock
  int stamp = -1;                        // --stamp; negative: a random one

  // The device commands.
  std::string simulate;  // --simulate: the simulated unit's folder; TARNVIK_SIMULATED_UNIT when empty
  std::string device;    // --device: the unit's path, as list prints it
  int timeoutMs = 1000;  // --timeout-ms: the bound of each exchange
  std::string trace;     // --trace: the file for the report trace
  std::string raw;       // read --raw
  std::string backup;    // write --backup
  bool verify = false;   // write --verify
};

}  // namespace tarnvik::cli
