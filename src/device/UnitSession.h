#pragma once
// Holds the units an operation works with for this program alone, for the
// whole operation: from the first opening (before anything is sent) until the
// session ends, across every opening and closing of the link in between (Read
// config opens the link twice; the tool's write --backup --verify reads,
// writes and reads again). Every report of every open handle reaches each
// handle, so two programs talking to one unit at once would mix their pages.
//
// It is a HID stack in front of another that takes each unit's lock
// (HidTransport::lockFile) before it opens the unit. A unit that another
// program holds is not opened at all: the opening fails with `inUse` set, and
// DeviceLink says "Tarnvik is in use by another program.". Nothing waits.
// Locks belong to the process (platform::FileLock), so a session inside
// another shares the outer one's locks.

#include <map>
#include <string>
#include <vector>

#include "device/HidTransport.h"
#include "platform/FileLock.h"

namespace tarnvik {

class UnitSession : public HidTransport {
 public:
  // `inner` must outlive the session and every connection it opens.
  explicit UnitSession(HidTransport& inner) : inner_(inner) {}

  std::vector<HidInterface> enumerate() override { return inner_.enumerate(); }
  Opened open(const std::string& path) override;
  std::string lockFile(const std::string& path) const override { return inner_.lockFile(path); }

 private:
  HidTransport& inner_;
  std::map<std::string, platform::FileLock> held_;  // by device path
};

// The lock file of the real unit at `devicePath`: in the folder that the
// programs of every user share (platform::SharedLockFolder), so that a
// program of another user, a cron job or a login over SSH meets it too;
// named after the path ("/dev/hidraw3": tarnvik-_dev_hidraw3.lock).
std::string SharedUnitLockFile(const std::string& devicePath);

}  // namespace tarnvik
