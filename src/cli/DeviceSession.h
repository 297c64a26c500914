#pragma once
// What every device command of tarnvik-cli works with: the clock, the
// operator and the HID stack (real or simulated, traced on request), and the
// guard that turns what a device command throws into its exit status.

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "cli/DeviceCliOperator.h"
#include "device/DeviceOperations.h"
#include "image/WriteStamp.h"
#include "settings/PcClock.h"

namespace tarnvik {
class HidTransport;
class TracingTransport;
class UnitSession;
}  // namespace tarnvik

namespace tarnvik::cli {

struct DeviceArguments;

// A usage error or a file that cannot be used, found before the unit is asked.
struct SetupError {
  std::string message;
};

class DeviceSession {
 public:
  // Throws SetupError for a bad --utc or a trace file that cannot be written.
  explicit DeviceSession(const DeviceArguments& args, std::string chosenFile = {});
  ~DeviceSession();

  HidTransport& transport();
  DeviceAccess access() { return {transport(), op, limit_}; }
  std::chrono::milliseconds limit() const { return limit_; }

  PcClock clock;
  DeviceCliOperator op;

 private:
  std::chrono::milliseconds limit_;
  std::ofstream traceFile_;
  std::unique_ptr<HidTransport> device_;
  std::unique_ptr<TracingTransport> tracer_;
  std::unique_ptr<UnitSession> units_;  // the unit stays held for the whole command
};

// Runs a device command: SetupError and a file that cannot be written give
// 2, a number text that does not convert 1, each with its message.
int GuardedDevice(const std::function<int()>& command);

// Throws SetupError when the file cannot be opened for reading.
void RequireReadable(const std::string& path);

// The fixed write stamp of --stamp, or a seeded one when it is negative.
StampSource StampFrom(int stamp);

}  // namespace tarnvik::cli
