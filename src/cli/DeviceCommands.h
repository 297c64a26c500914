#pragma once
// The device commands of tarnvik-cli. Each runs the same core operation as
// its button in the window and returns the tool's exit status: 0 when the
// operation succeeded; 1 when it failed or was refused (unit not found, a
// page error, checksum error, image or settings refused, a file that is not a
// configuration file, firmware too long, no answer to the version query);
// 2 for usage errors, files that cannot be read or written and a trace that
// could not be written whole. The log goes to context.out, the texts of
// message boxes to context.messages, except the firmware version, which goes
// to context.out.

namespace tarnvik::cli {

struct Arguments;
struct CommandContext;

// Read config. -o FILE.cfg is written (as Save to file writes it) only when
// the checksum held and the image decoded; --raw IMG keeps the 2048 bytes
// read whenever the unit was found. The status is 0 only when all 64 pages
// came in, the image was good and the version query after it was answered.
int ReadCommand(const CommandContext& context, const Arguments& args);

// Read from file, then Write config. The file is checked before the unit is
// asked. With --backup FILE the unit's configuration is read first and saved
// (FILE and its raw image beside it, FILE.bin for FILE.cfg); if that cannot
// be done, "Backup failed: ... Nothing was written to the unit." and nothing
// is written. With --verify the 64 pages are read back after the write and
// compared; a page that differs names the settings it holds and gives
// status 1.
int WriteCommand(const CommandContext& context, const Arguments& args);

// Upload firmware, with the named file as the file the dialog returned.
int FirmwareCommand(const CommandContext& context, const Arguments& args);

// The found line, then "Firmware version: X.YY".
int VersionCommand(const CommandContext& context, const Arguments& args);

// One line per unit: device path, two blanks, hardware identifier; with
// none, "Tarnvik not found.". With --device, that unit only.
int ListCommand(const CommandContext& context, const Arguments& args);

}  // namespace tarnvik::cli
