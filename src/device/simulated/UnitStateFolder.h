#pragma once
// The simulated unit's state on disk, so that a unit survives between runs of
// the window and the tool, and operators can look at and change it:
//
//   memory.bin    the 2048-byte configuration memory (all zero when new)
//   firmware.bin  the firmware pages received, each at 32 x its index; a new
//                 upload (page 0) starts the file afresh
//   version       the firmware version times 100, as decimal text (104)
//   faults        optional: lines "KIND N" (no-answer 5, unplug 40 ...), the
//                 fault shown at the Nth request of each run; # starts a comment
//   open-error    optional: opening the unit fails with this text as reason
//   serial        optional: the serial number the unit is listed with (its
//                 first line, at most 64 characters)
//   unplugged     present after an unplug fault: the unit is not there until
//                 the file is removed
//   lock          what a program holds while it works with the unit
//
// Every accepted page is written to its file at once, in place, so nothing
// is lost if the process dies. The files made for a new unit appear whole or
// not at all, so that a process killed while making them, or two processes
// starting on one new folder, never leave an empty or short file. Each file is
// read only up to the most it may sensibly hold, and anything but a regular
// file in the place of one (a named pipe, a device) is refused without
// waiting on it.
//
// The program writes where this folder's files point, so the folder and its
// files must be the caller's own and no other user may write them: another
// user could otherwise make firmware.bin a link to a file of the caller's.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "device/HidReport.h"
#include "device/simulated/SimulatedFault.h"
#include "image/ConfigImage.h"

namespace tarnvik {

class UnitStateFolder {
 public:
  // Creates the folder (0755) and its memory and version files when missing.
  // Throws OperationError when the folder cannot be used, or belongs to
  // another user, or another user may write it or one of its files, or one of
  // its files is not a regular file.
  explicit UnitStateFolder(const std::string& folder);

  std::string lockFile() const { return file("lock"); }

  ConfigImage memory() const;
  std::uint32_t version() const;
  std::vector<Fault> faults() const;
  std::string openRefusal() const;  // empty: the unit opens
  std::string serial() const;       // empty: the folder names none
  bool unplugged() const;

  void storePage(std::size_t p, PageBytes data) const;
  void storeFirmwarePage(std::size_t i, PageBytes data) const;
  void markUnplugged() const;

 private:
  std::string file(const char* name) const;
  // The file's content, which must be at most `limit` bytes; empty when missing.
  std::string text(const char* name, std::size_t limit) const;
  void writeAt(const char* name, std::size_t offset, PageBytes data, bool truncate) const;

  std::filesystem::path folder_;  // the system's own path of it
};

}  // namespace tarnvik
