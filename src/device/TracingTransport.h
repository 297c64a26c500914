#pragma once
// A trace of the reports exchanged with the unit, for an operator reporting a
// fault: one line per request and per response, with the UTC time to the
// microsecond, the direction ("<" to the program, ">" to the unit) and the
// bytes in hex. Lines for failed transfers say why; a report that came
// shorter than 65 bytes shows the bytes that came and its length; a report
// that was already waiting before a request, and so thrown away, is marked as
// such.
//
//   2026-07-03T09:05:01.004211Z > 00 fc 00 00 00 ...
//   2026-07-03T09:05:01.006032Z < 00 fc 00 00 a3 ...

#include <iosfwd>

#include "device/HidTransport.h"

namespace tarnvik {

class TracingTransport : public HidTransport {
 public:
  // Both must outlive this transport and every connection it opens.
  TracingTransport(HidTransport& inner, std::ostream& out) : inner_(inner), out_(out) {}

  std::vector<HidInterface> enumerate() override { return inner_.enumerate(); }
  Opened open(const std::string& path) override;
  UnitLock lockUnit(const std::string& path) override { return inner_.lockUnit(path); }

 private:
  HidTransport& inner_;
  std::ostream& out_;
};

}  // namespace tarnvik
