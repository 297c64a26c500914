#include "cli/DeviceOptions.h"

#include <CLI/CLI.hpp>
#include <array>

#include "cli/DeviceCommands.h"

namespace tarnvik::cli {

namespace {

constexpr std::array<const char*, 5> kDeviceCommands{"read", "write", "firmware", "version", "list"};

CLI::App* AddDeviceCommand(CLI::App& app, DeviceArguments& args, const char* name, const char* help) {
  CLI::App* command = app.add_subcommand(name, help);
  command->add_option("--simulate", args.simulate,
                      "Talk to the simulated unit kept in this folder (created when missing) instead of USB; "
                      "the default is the folder in TARNVIK_SIMULATED_UNIT, if set");
  command->add_option("--timeout-ms", args.timeoutMs, "How long each exchange waits for the unit's answer (ms)")
      ->check(CLI::Range(1, 600000));
  command->add_option("--trace", args.trace, "Write every report sent and received to this file");
  command->add_option("--utc", args.utc, "Use this UTC time (YYYY-MM-DDTHH:MM) in place of the PC clock");
  return command;
}

}  // namespace

void AddDeviceCommands(CLI::App& app, DeviceArguments& args) {
  CLI::App* read = AddDeviceCommand(app, args, "read",
                                    "Read config: read the unit's configuration, check and decode it, save it as "
                                    "a configuration file, then print the unit's firmware version.");
  read->add_option("-o,--output", args.output, "Configuration file, written only when the image was good")->required();
  read->add_option("--raw", args.raw, "Also keep the 2048 bytes read (zeros from a failed page on)");
  CLI::App* write = AddDeviceCommand(app, args, "write",
                                     "Write config: load a configuration file as Read from file does, check and "
                                     "encode it, and write it to the unit.");
  write->add_option("FILE", args.input, "Configuration file")->required();
  write->add_option("--stamp", args.stamp, "Use this write stamp (0 to 9999) in place of a random one")
      ->check(CLI::Range(0, 9999));
  write->add_option("--backup", args.backup,
                    "First read the unit's configuration and save it to this file, and its raw image beside it "
                    "(.bin for .cfg); if that fails, nothing is written");
  write->add_flag("--verify", args.verify,
                  "After writing, read the 64 pages back and compare; name the pages and settings that differ");
  AddDeviceCommand(app, args, "firmware", "Upload firmware: send a firmware file (at most 54272 bytes) to the unit.")
      ->add_option("FILE", args.input, "Firmware file")
      ->required();
  AddDeviceCommand(app, args, "version", "Ask the unit for its firmware version.");
  AddDeviceCommand(app, args, "list", "List the Tarnvik units attached: device path and hardware identifier.");
}

bool IsDeviceCommand(const CLI::App& app) {
  for (const char* name : kDeviceCommands)
    if (app.got_subcommand(name)) return true;
  return false;
}

int RunDeviceCommand(const CLI::App& app, const DeviceArguments& args) {
  if (app.got_subcommand("read")) return ReadCommand(args);
  if (app.got_subcommand("write")) return WriteCommand(args);
  if (app.got_subcommand("firmware")) return FirmwareCommand(args);
  if (app.got_subcommand("version")) return VersionCommand(args);
  return ListCommand(args);
}

}  // namespace tarnvik::cli
