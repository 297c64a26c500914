#pragma once
// Holds the units an operation works with for this program alone, for the
// whole operation: from the first opening (before anything is sent) until the
// session ends, across every opening and closing of the link in between (Read
// config opens the link twice; the tool's write --backup --verify reads,
// writes and reads again). Every report of every open handle reaches each
// handle, so two programs talking to one unit at once would mix their pages.
//
// It is a HID stack in front of another that takes each unit's lock
// (HidTransport::lockUnit) before it opens the unit. A unit that another
// program holds is not opened at all: the opening fails with `inUse` set, and
// DeviceLink says "Tarnvik is in use by another program.". Nothing waits. A
// lock that cannot be had leaves the unit unopened too: as a unit that cannot
// be opened where the lock is the device itself, else with `lockFault` set.
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
  UnitLock lockUnit(const std::string& path) override { return inner_.lockUnit(path); }

 private:
  HidTransport& inner_;
  std::map<std::string, platform::FileLock> held_;  // by device path
};

}  // namespace tarnvik
