#include "cli/DeviceCommands.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>

#include "cfgfile/ConfigFileOps.h"
#include "cli/Commands.h"
#include "cli/DeviceCliOperator.h"
#include "cli/DeviceOptions.h"
#include "cli/Files.h"
#include "cli/UtcOption.h"
#include "core/OperationError.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/TracingTransport.h"
#include "device/backends/TransportChoice.h"
#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"

namespace tarnvik::cli {

namespace {

// A usage error or a file that cannot be used, found before the unit is asked.
struct SetupError {
  std::string message;
};

PcClock ClockFrom(const std::string& utc) {
  if (utc.empty()) return SystemPcClock();
  std::optional<PcClock> fixed = ParseUtcOption(utc);
  if (!fixed) throw SetupError{"--utc expects a UTC time as YYYY-MM-DDTHH:MM, not " + utc};
  return *fixed;
}

// What every device command works with: the clock, the operator and the HID
// stack (real or simulated, traced on request).
class DeviceSession {
 public:
  explicit DeviceSession(const DeviceArguments& args, std::string chosenFile = {})
      : clock(ClockFrom(args.utc)), op(std::cout, std::cerr, std::move(chosenFile)), limit_(args.timeoutMs) {
    if (!args.trace.empty()) {
      traceFile_.open(args.trace, std::ios::trunc);
      if (!traceFile_) throw SetupError{"Unable to write to " + args.trace + ": " + std::strerror(errno)};
    }
    device_ = MakeTransport(args.simulate.empty() ? SimulatedUnitFromEnvironment() : args.simulate);
    if (traceFile_.is_open()) tracer_ = std::make_unique<TracingTransport>(*device_, traceFile_);
  }

  HidTransport& transport() { return tracer_ ? *tracer_ : *device_; }
  DeviceAccess access() { return {transport(), op, limit_}; }

  PcClock clock;
  DeviceCliOperator op;

 private:
  std::chrono::milliseconds limit_;
  std::ofstream traceFile_;
  std::unique_ptr<HidTransport> device_;
  std::unique_ptr<TracingTransport> tracer_;
};

int Guarded(const std::function<int()>& command) {
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

void WriteRawImage(const std::string& path, const ConfigImage& image) {
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
}

StampSource StampFrom(int stamp) {
  if (stamp < 0) return SeededWriteStamp();
  return [fixed = static_cast<std::uint16_t>(stamp)] { return fixed; };
}

int FirmwareStatus(UploadOutcome outcome) {
  switch (outcome) {
    case UploadOutcome::Done: return kDone;
    case UploadOutcome::OpenError: return kUsageOrIo;
    default: return kRefused;
  }
}

}  // namespace

int ReadCommand(const DeviceArguments& args) {
  return Guarded([&] {
    DeviceSession session(args);
    DeviceSettings settings(session.clock);
    ConfigImage image;
    const ReadConfigOutcome outcome = ReadConfig(session.access(), image, settings);
    if (outcome.found && !args.raw.empty()) WriteRawImage(args.raw, image);
    const bool good = outcome.checksumOk && outcome.decoded;
    if (good) SaveConfigFile(settings, args.output);
    return good && outcome.allPages ? kDone : kRefused;
  });
}

int WriteCommand(const DeviceArguments& args) {
  return Guarded([&] {
    RequireReadable(args.input);
    DeviceSession session(args);
    DeviceSettings settings(session.clock);
    if (!LoadConfigFile(settings, args.input, session.op)) return kRefused;
    ConfigImage image;
    const WriteConfigOutcome outcome =
        WriteConfig(session.access(), settings, image, session.clock, StampFrom(args.stamp));
    return outcome.allPages ? kDone : kRefused;
  });
}

int FirmwareCommand(const DeviceArguments& args) {
  return Guarded([&] {
    DeviceSession session(args, args.input);
    FirmwareBuffer buffer;
    return FirmwareStatus(UploadFirmwareClick(session.access(), buffer, ""));
  });
}

int VersionCommand(const DeviceArguments& args) {
  return Guarded([&] {
    DeviceSession session(args);
    const VersionOutcome outcome = ShowFirmwareVersion(session.access());
    if (outcome.found && !outcome.shown)
      std::cerr << (outcome.fault == ExchangeFault::NoAnswer
                        ? "Tarnvik did not answer within " + std::to_string(args.timeoutMs) + " ms."
                        : std::string("Tarnvik gave no valid answer to the version query."))
                << '\n';
    return outcome.shown ? kDone : kRefused;
  });
}

int ListCommand(const DeviceArguments& args) {
  return Guarded([&] {
    DeviceSession session(args);
    const std::vector<HidInterface> units = FindUnits(session.transport());
    for (const HidInterface& unit : units)
      std::cout << unit.path << "  " << unit.hardwareIds.substr(0, unit.hardwareIds.find('\0')) << '\n';
    if (units.empty()) std::cout << kNotFoundLine << '\n';
    return units.empty() ? kRefused : kDone;
  });
}

}  // namespace tarnvik::cli
