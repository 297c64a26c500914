#pragma once
// A unit on the test's desk behind one of the two HID stacks the program
// runs on: the simulated unit's own transport, or the real hidapi backend
// over the hidapi double (HidapiDouble.h). Either way the same simulated
// unit answers, so a test can run one table against both.

#include <memory>
#include <string>
#include <vector>

#include "device/DeviceOperations.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

#ifdef TARNVIK_TEST_HIDAPI
#include "device/hidapi/HidapiTransport.h"
#include "support/HidapiDouble.h"
#endif

namespace tarnvik::test {

enum class Backend { Simulated, Hidapi };

inline std::vector<Backend> Backends() {
#ifdef TARNVIK_TEST_HIDAPI
  return {Backend::Simulated, Backend::Hidapi};
#else
  return {Backend::Simulated};
#endif
}

inline const char* Name(Backend backend) { return backend == Backend::Simulated ? "simulated" : "hidapi"; }

class UnitBench {
 public:
  // The first unit is at `path`, with serial number A1.
  explicit UnitBench(Backend backend, std::string path = "/dev/hidraw1") : backend_(backend) {
#ifdef TARNVIK_TEST_HIDAPI
    if (backend == Backend::Hidapi) {
      HidapiDouble::reset();
      transport_ = std::make_unique<HidapiOnDesk>(folder.root());
      add(std::move(path), unit, "A1");
      return;
    }
#endif
    simulated_ = std::make_unique<SimulatedTransport>();
    simulated_->addOtherDevice("/dev/hidraw0", std::string("HID\\VID_046D&PID_C31C&REV_6400") + '\0');
    add(std::move(path), unit, "A1");
  }
  ~UnitBench() {
#ifdef TARNVIK_TEST_HIDAPI
    if (backend_ == Backend::Hidapi) HidapiDouble::reset();
#endif
  }
  UnitBench(const UnitBench&) = delete;
  UnitBench& operator=(const UnitBench&) = delete;

  // Attaches another unit.
  void add(std::string path, std::shared_ptr<SimulatedUnit> another, const std::string& serial) {
#ifdef TARNVIK_TEST_HIDAPI
    if (backend_ == Backend::Hidapi) return HidapiDouble::plug(path, std::move(another), serial);
#endif
    another->setSerial(serial);
    simulated_->addUnit(std::move(path), std::move(another));
  }

  HidTransport& transport() { return simulated_ ? *simulated_ : *transport_; }
  DeviceAccess access(UnitChoice choice = {}) { return {transport(), record, kDefaultExchangeLimit, choice}; }

  TempFolder folder;  // first: the locks live in it
  std::shared_ptr<SimulatedUnit> unit = std::make_shared<SimulatedUnit>();
  RecordingOperator record;

 private:
  Backend backend_;
  std::unique_ptr<SimulatedTransport> simulated_;
  std::unique_ptr<HidTransport> transport_;
};

}  // namespace tarnvik::test
