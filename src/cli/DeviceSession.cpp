#include "cli/DeviceSession.h"

#include <ostream>

#include "cli/Arguments.h"
#include "cli/CommandGuard.h"
#include "cli/Commands.h"
#include "cli/TraceFile.h"
#include "core/OperationError.h"
#include "device/TracingTransport.h"
#include "device/UnitSession.h"
#include "device/backends/TransportChoice.h"

namespace tarnvik::cli {

namespace {

constexpr const char* kChooseHint = "Choose one with --device.";

}  // namespace

DeviceSession::DeviceSession(const CommandContext& context, const Arguments& args, std::string chosenFile)
    : op(context.out, context.messages, std::move(chosenFile)),
      limit_(args.timeoutMs),
      choice_{args.device, kChooseHint} {
  if (!args.trace.empty()) trace_ = std::make_unique<TraceFile>(args.trace);
  device_ = MakeTransport(args.simulate.empty() ? SimulatedUnitFromEnvironment() : args.simulate);
  if (trace_) tracer_ = std::make_unique<TracingTransport>(*device_, trace_->stream());
  units_ = std::make_unique<UnitSession>(tracer_ ? static_cast<HidTransport&>(*tracer_) : *device_);
}

DeviceSession::~DeviceSession() = default;

HidTransport& DeviceSession::transport() { return *units_; }

std::optional<std::string> DeviceSession::finishTrace() {
  if (!trace_) return std::nullopt;
  std::string why = trace_->finish();
  if (why.empty()) return std::nullopt;
  return why;
}

const std::string& DeviceSession::tracePath() const {
  static const std::string none;
  return trace_ ? trace_->path() : none;
}

int RunOnUnit(const CommandContext& context, const Arguments& args,
              const std::function<int(DeviceSession& session)>& command, std::string chosenFile) {
  DeviceSession session(context, args, std::move(chosenFile));
  int status = RunReported(context.messages, [&] { return command(session); });
  if (const std::optional<std::string> why = session.finishTrace()) {
    ReportWriteError(context.messages, FileWriteError(session.tracePath(), *why));
    status = kUsageOrIo;
  }
  return status;
}

}  // namespace tarnvik::cli
