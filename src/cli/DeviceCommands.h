#pragma once
// The device commands of tarnvik-cli. Each runs the same core operation as
// its button in the window and returns the tool's exit status: 0 when the
// operation succeeded; 1 when it failed or was refused (unit not found, a
// page error, checksum error, image or settings refused, a file that is not a
// configuration file, firmware too long, no answer to the version query);
// 2 for usage errors and files that cannot be read or written.

namespace tarnvik::cli {

struct DeviceArguments;

// Read config. -o FILE.cfg is written (as Save to file writes it) only when
// the checksum held and the image decoded; --raw IMG keeps the 2048 bytes
// read whenever the unit was found. A read that came in whole exits 0 even
// when the version query after it got no answer.
int ReadCommand(const DeviceArguments& args);

// Read from file, then Write config. The file is checked before the unit is
// asked. With --backup FILE the unit's configuration is read first and saved
// (FILE and its raw image beside it, FILE.bin for FILE.cfg); if that cannot
// be done, nothing is written. With --verify the 64 pages are read back after
// the write and compared; a page that differs names the settings it holds
// and gives status 1.
int WriteCommand(const DeviceArguments& args);

// Upload firmware, with the named file as the file the dialog returned.
int FirmwareCommand(const DeviceArguments& args);

// The found line, then "Firmware version: X.YY".
int VersionCommand(const DeviceArguments& args);

// One line per unit: device path, two blanks, hardware identifier; with
// none, "Tarnvik not found.".
int ListCommand(const DeviceArguments& args);

}  // namespace tarnvik::cli
