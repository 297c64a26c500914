#pragma once
// The real USB HID stack on Windows, through the system's own calls: the HID
// class's device interfaces listed with the setup API, each device's hardware
// identifiers read from its registry properties and its serial number from
// the HID class driver, the interface opened as a file for overlapped reads
// and writes of whole reports.
//
// Only devices whose identifiers pass the filter are listed, and only theirs
// are asked for a path: by default the unit's vendor and product, matched as
// the link matches them, so other HID devices (keyboards, mice) are left
// alone.
//
// The unit's lock is an object of the system's global namespace named after
// its path (platform::FileLock::TryLockDevice), which the window, the tool
// and the programs of other users and sessions (fast user switching, a
// service) all meet; the device itself is opened shared, as before.

#include <functional>
#include <string>
#include <string_view>

#include "device/HidTransport.h"

namespace tarnvik::winhid {

class WindowsHidTransport : public HidTransport {
 public:
  using Filter = std::function<bool(std::string_view hardwareIds)>;
  explicit WindowsHidTransport(Filter filter = DefaultFilter());

  std::vector<HidInterface> enumerate() override;
  Opened open(const std::string& path) override;
  UnitLock lockUnit(const std::string& path) override { return {platform::FileLock::TryLockDevice(path)}; }

  static Filter DefaultFilter();

 private:
  Filter filter_;
};

// The system's HID library and its version as it runs, for the About box:
// "Windows HID (hid.dll 10.0.19041.1)"; without the version where the file
// tells none.
std::string WindowsHidVersion();

}  // namespace tarnvik::winhid
