#pragma once
// A Tarnvik unit in software: it answers the four report commands as the
// program expects a unit to, keeps a 2048-byte configuration memory, the
// firmware pages it received and a version value, and can be told to
// misbehave at its Nth request. It answers at once. A unit in memory shows a
// time-out at once too, without the wait, unless told to keep real time; one
// kept in a state folder (UnitStateFolder), as the window and the tool use it
// when asked to (TARNVIK_SIMULATED_UNIT, --simulate), keeps real time: a
// reader waiting for an answer that does not come waits out its time limit,
// as with a real unit.
//
// Pages whose sum does not match their data are ignored (no answer), as are
// page numbers beyond the memory and unknown commands.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/HidReport.h"
#include "device/HidTransport.h"
#include "device/simulated/SimulatedFault.h"
#include "image/ConfigImage.h"

namespace tarnvik {

class UnitStateFolder;

class SimulatedUnit {
 public:
  static constexpr std::uint32_t kDefaultVersion = 104;

  // A unit in memory only: zero memory, version 1.04, no faults.
  SimulatedUnit();
  // A unit whose state lives in `folder` (created when missing); throws
  // OperationError when the folder cannot be used.
  explicit SimulatedUnit(const std::string& folder);
  ~SimulatedUnit();

  const ConfigImage& memory() const { return memory_; }
  void setMemory(const ConfigImage& memory) { memory_ = memory; }
  void setVersion(std::uint32_t version) { version_ = version; }
  void addFault(Fault fault) { faults_.push_back(fault); }
  // Opening fails with this reason (as for a device file without access).
  void refuseOpen(std::string reason) { openRefusal_ = std::move(reason); }
  // An input report waiting before the next request (left from an earlier,
  // interrupted exchange).
  void queueInput(const HidReport& report) { input_.push_back({report, kReportSize}); }
  // Keep every request received, for tests that look at the bytes sent.
  void keepRequests(bool keep) { keepRequests_ = keep; }
  // Make a reader wait out its time limit when no answer comes.
  void keepRealTime(bool keep) { realTime_ = keep; }
  bool keepsRealTime() const { return realTime_; }

  // The lock file of a unit kept in a folder; empty for a unit in memory,
  // which no other program can reach.
  std::string lockFile() const;
  // A unit kept in a folder takes its memory, version and presence from the
  // folder again, as they are now (another program may have written the unit
  // since this one was made); the connection calls it as it opens, with the
  // unit's lock held. Nothing for a unit in memory.
  void reloadState();

  const std::vector<HidReport>& requests() const { return requests_; }
  std::uint64_t requestCount() const { return requestCount_; }
  // The firmware received since the last page 0; page i at 32 x i.
  const std::vector<std::uint8_t>& firmware() const { return firmware_; }
  bool unplugged() const { return unplugged_; }
  // Listed on the bus: not unplugged. A unit kept in a folder looks at the
  // folder each time, so removing its "unplugged" file plugs it in again.
  bool present() const;
  // The serial number it is listed with: a unit kept in a folder takes the
  // first line of the folder's optional "serial" file, any other "SIMULATED".
  const std::string& serial() const { return serial_; }
  void setSerial(std::string serial) { serial_ = std::move(serial); }
  const std::string& openRefusal() const { return openRefusal_; }

  // The USB side, as the simulated connection calls it.
  HidTransfer receive(std::span<const std::uint8_t> report);
  HidTransfer deliver(std::span<std::uint8_t> report);

 private:
  std::optional<FaultKind> faultNow() const;
  std::optional<HidReport> answer(const HidReport& request, std::optional<FaultKind> fault);
  std::optional<HidReport> readPage(const HidReport& request) const;
  std::optional<HidReport> writePage(const HidReport& request, bool keepDamaged);
  std::optional<HidReport> firmwarePage(const HidReport& request);
  void send(HidReport answer, std::optional<FaultKind> fault);
  void unplug();

  ConfigImage memory_;
  std::vector<std::uint8_t> firmware_;
  std::uint32_t version_ = kDefaultVersion;
  std::vector<Fault> faults_;
  std::string openRefusal_;
  struct Input {
    HidReport report;
    std::size_t length;  // bytes that arrive of it
  };
  std::deque<Input> input_;
  std::optional<HidReport> late_;
  std::vector<HidReport> requests_;
  bool keepRequests_ = false;
  bool realTime_ = false;
  std::uint64_t requestCount_ = 0;
  bool unplugged_ = false;
  std::string serial_ = "SIMULATED";
  std::unique_ptr<UnitStateFolder> folder_;
};

}  // namespace tarnvik
