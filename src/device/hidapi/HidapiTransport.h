#pragma once
// The real USB HID stack, through hidapi (hidraw backend on Linux). Only the
// documented public calls are used, so any hidapi that keeps its documented
// contract will do. Enumeration lists every HID interface present; the link
// picks the unit by its hardware identifier, as on any other system.

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
};

// "hidapi 0.13.1": the library the program runs with, for the About box.
std::string HidapiVersion();

}  // namespace tarnvik
