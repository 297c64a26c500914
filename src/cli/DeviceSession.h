#pragma once
// What every device command of tarnvik-cli works with: the operator and the
// HID stack (real or simulated, traced on request), with the unit chosen by
// --device; and the run of a device command, which reports a trace that
// could not be written whole once the command has said what it has to say.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/DeviceCliOperator.h"
#include "device/DeviceOperations.h"

namespace tarnvik {
class HidTransport;
class TracingTransport;
class UnitSession;
}  // namespace tarnvik

namespace tarnvik::cli {

struct Arguments;
struct CommandContext;
class TraceFile;

class DeviceSession {
 public:
  // Opens the trace file, then the HID stack. Throws FileWriteError for a
  // trace that cannot be written, OperationError for a HID stack or
  // simulated unit that cannot be used.
  DeviceSession(const CommandContext& context, const Arguments& args, std::string chosenFile = {});
  ~DeviceSession();

  HidTransport& transport();
  DeviceAccess access() { return {transport(), op, limit_, choice_}; }
  DeviceLink link() { return LinkFor(access()); }
  std::chrono::milliseconds limit() const { return limit_; }

  // Ends the trace; why it is not whole, when it is not.
  std::optional<std::string> finishTrace();
  const std::string& tracePath() const;

  DeviceCliOperator op;

 private:
  std::chrono::milliseconds limit_;
  UnitChoice choice_;
  std::unique_ptr<TraceFile> trace_;
  std::unique_ptr<HidTransport> device_;
  std::unique_ptr<TracingTransport> tracer_;
  std::unique_ptr<UnitSession> units_;  // the unit stays held for the whole command
};

// Runs a device command on its session. The command's own errors are
// reported as the guard reports them; a trace that could not be written
// whole is then reported too ("Unable to write to TRACE." and why), and the
// status is 2.
int RunOnUnit(const CommandContext& context, const Arguments& args,
              const std::function<int(DeviceSession& session)>& command, std::string chosenFile = {});

}  // namespace tarnvik::cli
