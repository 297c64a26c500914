#pragma once
// The real USB HID stack, through hidapi (hidraw backend on Linux). Only the
// documented public calls are used, so any hidapi that keeps its documented
// contract will do. Enumeration asks the system only for the unit's vendor
// and product, so no other device is opened or woken to be listed; the link
// still picks the unit by its hardware identifier, as on any other system.
//
// The unit's lock is its device node (hidraw's paths are nodes such as
// /dev/hidraw3), locked on a descriptor of its own for the whole operation:
// every program that may open the unit meets it, and no other can hold it.
// macOS has no node to lock: hidapi's paths there name IOKit services. hidapi
// opens a device there exclusively (by default; this program never turns it
// off), so while one program has the unit open another's opening fails, but
// nothing holds the unit between two openings of one operation.

#include "device/HidTransport.h"

namespace tarnvik {

class HidapiTransport : public HidTransport {
 public:
  // Starts hidapi; throws OperationError when it cannot.
  HidapiTransport();
  // Ends hidapi; every connection must have been closed before.
  ~HidapiTransport() override;
  HidapiTransport(const HidapiTransport&) = delete;
  HidapiTransport& operator=(const HidapiTransport&) = delete;

  std::vector<HidInterface> enumerate() override;
  Opened open(const std::string& path) override;
  UnitLock lockUnit(const std::string& path) override;
};

// "hidapi 0.13.1": the library the program runs with, for the About box.
std::string HidapiVersion();

}  // namespace tarnvik
