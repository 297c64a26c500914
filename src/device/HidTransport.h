#pragma once
// The narrow door to the operating system's HID stack: list the HID
// interfaces present, open one by its path, write one report, read one report
// within a time limit, close (by dropping the connection). The program talks
// to the unit only through this, so a simulated unit or a test can stand in
// for the real one.
//
// Reports are passed as the unit's 65-byte frame: byte 0 the report id (0),
// then the 64 bytes of the report. A backend that frames reports differently
// on the wire (hidapi on Linux reads them without the report id) converts at
// its edge.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/FileLock.h"

namespace tarnvik {

struct HidInterface {
  std::string path;  // what HidTransport::open takes
  // The device's hardware identifiers as the system lists them: one or more
  // texts, each ended by a zero byte, the most specific first
  // (HID\VID_0483&PID_A04A&REV_0200).
  std::string hardwareIds;
  // The device's USB serial number, as plain text; empty when the backend
  // cannot tell it. Shown to tell two units apart, never used to find one.
  std::string serial = {};
};

// The outcome of one write or one read.
struct HidTransfer {
  enum class Status {
    Done,      // `length` bytes moved
    TimedOut,  // a read: nothing arrived within the time limit
    Failed,    // the system refused; `error` says why (e.g. the device is gone)
  };
  Status status = Status::Failed;
  std::size_t length = 0;
  std::string error;

  static HidTransfer done(std::size_t n) { return {Status::Done, n, {}}; }
  static HidTransfer timedOut() { return {Status::TimedOut, 0, {}}; }
  static HidTransfer failed(std::string why) { return {Status::Failed, 0, std::move(why)}; }
};

// One open HID interface. Closed when destroyed. Not shared between threads.
class HidConnection {
 public:
  virtual ~HidConnection() = default;

  // Sends one report (byte 0: report id); `length` is the number of bytes
  // the system took, counted like the report given.
  virtual HidTransfer write(std::span<const std::uint8_t> report) = 0;

  // Takes the oldest input report waiting, or waits at most `limit` for one.
  // A limit of 0 only looks. The report lands in `report` with its report id
  // in byte 0; `length` counts that byte.
  virtual HidTransfer read(std::span<std::uint8_t> report, std::chrono::milliseconds limit) = 0;
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // The HID interfaces present now, in the system's order; a backend may
  // list only those with the unit's vendor and product. Empty when there are
  // none or the list cannot be had.
  virtual std::vector<HidInterface> enumerate() = 0;

  struct Opened {
    std::unique_ptr<HidConnection> connection;  // null when opening failed
    std::string error;                          // then: why, naming the path
    bool inUse = false;                         // then: another program holds the unit
    bool lockFault = false;                     // then: the unit's lock cannot be had; `error` names it and says why
  };
  // Opens the interface for reading and writing reports.
  virtual Opened open(const std::string& path) = 0;

  // What keeps other programs off the unit at `path` while an operation
  // works with it (UnitSession).
  struct UnitLock {
    // Held, Busy, Failed (with why), or nothing to hold (Absent) where no
    // other program can reach the unit (one in this process's memory).
    platform::FileLock lock;
    // The lock is the device itself (its node, on Linux): one that cannot be
    // had is a unit that cannot be opened, a matter of access to the unit.
    // Otherwise (a simulated unit's lock file) it is the lock's own fault.
    bool isDevice = false;
  };
  // Takes the unit's lock; does not wait. Real units: the device's lock
  // (platform::FileLock::TryLockDevice); simulated ones: their lock file.
  virtual UnitLock lockUnit(const std::string& /*path*/) { return {}; }
};

}  // namespace tarnvik
