#include "device/simulated/SimulatedTransport.h"

#include <thread>

#include "device/simulated/SimulatedBus.h"
#include "device/simulated/SimulatedUnit.h"
#include "platform/PathText.h"

namespace tarnvik {

namespace {

class SimulatedConnection : public HidConnection {
 public:
  explicit SimulatedConnection(std::shared_ptr<SimulatedUnit> unit) : unit_(std::move(unit)) {}

  HidTransfer write(std::span<const std::uint8_t> report) override { return unit_->receive(report); }
  HidTransfer read(std::span<std::uint8_t> report, std::chrono::milliseconds limit) override {
    const HidTransfer got = unit_->deliver(report);
    if (got.status == HidTransfer::Status::TimedOut && unit_->keepsRealTime()) std::this_thread::sleep_for(limit);
    return got;
  }

 private:
  std::shared_ptr<SimulatedUnit> unit_;
};

}  // namespace

void SimulatedTransport::addUnit(std::string path, std::shared_ptr<SimulatedUnit> unit, std::string hardwareIds) {
  ports_.push_back({{std::move(path), std::move(hardwareIds)}, std::move(unit)});
}

void SimulatedTransport::addOtherDevice(std::string path, std::string hardwareIds) {
  ports_.push_back({{std::move(path), std::move(hardwareIds)}, nullptr});
}

std::vector<HidInterface> SimulatedTransport::enumerate() {
  std::vector<HidInterface> present;
  for (const Port& port : ports_) {
    if (port.unit && !port.unit->present()) continue;
    present.push_back(port.info);
    if (port.unit) present.back().serial = port.unit->serial();
  }
  return present;
}

HidTransport::Opened SimulatedTransport::open(const std::string& path) {
  for (const Port& port : ports_) {
    if (port.info.path != path) continue;
    if (!port.unit) return {nullptr, path + ": Permission denied"};
    if (!port.unit->present()) return {nullptr, path + ": No such device"};
    port.unit->reloadState();
    if (!port.unit->openRefusal().empty()) return {nullptr, path + ": " + port.unit->openRefusal()};
    return {std::make_unique<SimulatedConnection>(port.unit), {}};
  }
  return {nullptr, path + ": No such file or directory"};
}

// A unit kept in a folder is locked through its lock file there; one in
// memory alone has nothing another program could reach.
HidTransport::UnitLock SimulatedTransport::lockUnit(const std::string& path) {
  for (const Port& port : ports_)
    if (port.info.path == path && port.unit && !port.unit->lockFile().empty())
      return {platform::FileLock::TryLockFile(port.unit->lockFile())};
  return {};
}

std::unique_ptr<HidTransport> SimulatedUnitInFolder(const std::string& folder) {
  if (SimulatedBus::IsBus(platform::PathOf(folder))) return std::make_unique<SimulatedBus>(platform::PathOf(folder));
  auto transport = std::make_unique<SimulatedTransport>();
  transport->addOtherDevice("simulated:keyboard",
                            std::string("HID\\VID_046D&PID_C31C&REV_6400") + '\0' + "HID\\VID_046D&PID_C31C" + '\0');
  transport->addUnit("simulated:" + folder, std::make_shared<SimulatedUnit>(folder));
  return transport;
}

}  // namespace tarnvik
