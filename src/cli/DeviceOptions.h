#pragma once
// The device commands of tarnvik-cli and their options: read, write,
// firmware, version and list, each doing what its button (or, for list, the
// search for the unit) does in the window.

#include <string>

namespace CLI {
class App;
}

namespace tarnvik::cli {

struct DeviceArguments {
  std::string simulate;  // simulated unit's folder; TARNVIK_SIMULATED_UNIT when empty
  int timeoutMs = 1000;  // the bound of each exchange
  std::string trace;     // file for the report trace
  std::string utc;       // stands in for the PC clock
  int stamp = -1;        // fixed write stamp (write)
  std::string input;     // FILE.cfg (write) or FILE.bin (firmware)
  std::string output;    // -o FILE.cfg (read)
  std::string raw;       // --raw IMG (read)
  std::string backup;    // --backup FILE.cfg (write)
  bool verify = false;   // --verify (write)
};

void AddDeviceCommands(CLI::App& app, DeviceArguments& args);

// True when the parsed command line names a device command.
bool IsDeviceCommand(const CLI::App& app);

// Runs the device command named; returns the exit status.
int RunDeviceCommand(const CLI::App& app, const DeviceArguments& args);

}  // namespace tarnvik::cli
