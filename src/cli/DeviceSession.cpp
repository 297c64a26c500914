#include "cli/DeviceSession.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/Commands.h"
#include "cli/DeviceOptions.h"
#include "cli/UtcOption.h"
#include "core/OperationError.h"
#include "device/TracingTransport.h"
#include "device/UnitSession.h"
#include "device/backends/TransportChoice.h"

namespace tarnvik::cli {

namespace {

PcClock ClockFrom(const std::string& utc) {
  if (utc.empty()) return SystemPcClock();
  std::optional<PcClock> fixed = ParseUtcOption(utc);
  if (!fixed) throw SetupError{"--utc expects a UTC time as YYYY-MM-DDTHH:MM, not " + utc};
  return *fixed;
}

}  // namespace

DeviceSession::DeviceSession(const DeviceArguments& args, std::string chosenFile)
    : clock(ClockFrom(args.utc)), op(std::cout, std::cerr, std::move(chosenFile)), limit_(args.timeoutMs) {
  if (!args.trace.empty()) {
    traceFile_.open(args.trace, std::ios::trunc);
    if (!traceFile_) throw SetupError{"Unable to write to " + args.trace + ": " + std::strerror(errno)};
  }
  device_ = MakeTransport(args.simulate.empty() ? SimulatedUnitFromEnvironment() : args.simulate);
  if (traceFile_.is_open()) tracer_ = std::make_unique<TracingTransport>(*device_, traceFile_);
  units_ = std::make_unique<UnitSession>(tracer_ ? static_cast<HidTransport&>(*tracer_) : *device_);
}

DeviceSession::~DeviceSession() = default;

HidTransport& DeviceSession::transport() { return *units_; }

int GuardedDevice(const std::function<int()>& command) {
  try {
    return command();
  } catch (const SetupError& error) {
    std::cerr << error.message << '\n';
  } catch (const ConversionError& error) {
    std::cerr << error.what() << ".\n";
    return kRefused;
  } catch (const FileWriteError& error) {
    std::cerr << error.what() << ".\n";
  } catch (const OperationError& error) {
    std::cerr << error.what() << '\n';
  }
  return kUsageOrIo;
}

void RequireReadable(const std::string& path) {
  if (!std::ifstream(path, std::ios::binary)) throw SetupError{"Unable to read " + path + ": " + std::strerror(errno)};
}

StampSource StampFrom(int stamp) {
  if (stamp < 0) return SeededWriteStamp();
  return [fixed = static_cast<std::uint16_t>(stamp)] { return fixed; };
}

}  // namespace tarnvik::cli
