#pragma once
// The real USB HID stack, through hidapi (hidraw backend on Linux). Only the
// documented public calls are used, so any hidapi that keeps its documented
// contract will do. Enumeration asks the system only for the unit's vendor
// and product, so no other device is opened or woken to be listed; the link
// still picks the unit by its hardware identifier, as on any other system.

#include "device/HidTransport.h"
#include "device/UnitSession.h"

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
  std::string lockFile(const std::string& path) const override { return SharedUnitLockFile(path); }
};

// "hidapi 0.13.1": the library the program runs with, for the About box.
std::string HidapiVersion();

}  // namespace tarnvik
