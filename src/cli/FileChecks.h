#pragma once
// The checks of the files a command line names, made before anything is read
// or written and before the unit is asked, so that a mistyped name never
// costs a file:
//  - no file the command writes (-o, --raw, --backup and its image, --trace)
//    is another one of them;
//  - --backup and --trace name no file the command reads (the output of -o
//    may: set and decode read their input whole before they write);
//  - nothing the command writes lies in the simulated unit's folder or is one
//    of its files (memory.bin, firmware.bin ...), which the unit keeps;
//  - a device command, whose log goes to standard output, writes no file to
//    it ("-");
//  - every file a device command writes could be saved now (AtomicFile's
//    Refusal): not a folder, pipe or device, not reached through a link that
//    another user planted in a shared folder, in a folder that is there.
// Files are compared as the system knows them (device and inode), so a link
// or a second name of a file counts as that file; a file not there yet is
// compared by its full path, links resolved.

namespace tarnvik::cli {

struct Arguments;
struct CommandEntry;

// Throws SetupError naming the option and the file it would overwrite, or
// FileWriteError naming a file that cannot be written and why.
void CheckFiles(const CommandEntry& command, const Arguments& args);

}  // namespace tarnvik::cli
