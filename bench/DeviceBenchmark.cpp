// The program's own cost of talking to the unit: one exchange, a whole Read
// config (64 pages, checksum, decode, version query), a whole Write config
// (clock copy, checks, encoding, 64 pages) and a whole firmware upload (1696
// pages), against a simulated unit that answers at once. On real USB each
// exchange costs 1 to 3 ms of bus time; this measures what the program adds.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/Operator.h"
#include "device/DeviceLink.h"
#include "device/DeviceOperations.h"
#include "device/FirmwareUpload.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "image/ConfigImage.h"
#include "image/EncodeSettings.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {
namespace {

// Takes every line and box as the window would, without drawing anything.
class QuietOperator : public Operator {
 public:
  void logLine(const std::string& line) override { characters += line.size(); }
  void progressStart(int) override {}
  void progressStep() override {}
  void progressReset() override {}
  void informationBox(const std::string& text, const std::string&) override { characters += text.size(); }
  void plainBox(const std::string& text) override { characters += text.size(); }
  void errorBox(const std::string& text) override { characters += text.size(); }
  std::optional<std::string> chooseFile(const FileRequest&) override { return chosen; }

  std::size_t characters = 0;
  std::string chosen;
};

const PcClock kClock = [] { return std::time_t{1783069500}; };  // 2026-07-03 09:05 UTC

struct Desk {
  Desk() {
    transport.addUnit("/dev/hidraw0", unit);
    ConfigImage image;
    EncodeSettings(DeviceSettings(kClock), image, op, [] { return std::uint16_t(1); });
    unit->setMemory(image);
  }
  std::shared_ptr<SimulatedUnit> unit = std::make_shared<SimulatedUnit>();
  SimulatedTransport transport;
  QuietOperator op;
  DeviceAccess access{transport, op};
};

void Exchange(benchmark::State& state) {
  Desk desk;
  DeviceLink link(desk.transport, desk.op);
  link.OpenLink();
  HidReport request = MakeRequest(Command::ReadPage), response{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(link.ExchangeReport(request, response));
    benchmark::DoNotOptimize(response);
  }
}
BENCHMARK(Exchange);

void ReadConfigWhole(benchmark::State& state) {
  Desk desk;
  DeviceSettings settings(kClock);
  ConfigImage image;
  for (auto _ : state) benchmark::DoNotOptimize(ReadConfig(desk.access, image, settings).decoded);
  benchmark::DoNotOptimize(desk.op.characters);
}
BENCHMARK(ReadConfigWhole)->Unit(benchmark::kMicrosecond);

void WriteConfigWhole(benchmark::State& state) {
  Desk desk;
  DeviceSettings settings(kClock);
  ConfigImage image;
  const StampSource stamp = [] { return std::uint16_t(1); };
  for (auto _ : state) benchmark::DoNotOptimize(WriteConfig(desk.access, settings, image, kClock, stamp).allPages);
}
BENCHMARK(WriteConfigWhole)->Unit(benchmark::kMicrosecond);

void UploadFirmwareWhole(benchmark::State& state) {
  Desk desk;
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("tarnvik-bench-" + std::to_string(::getpid()) + ".bin");
  std::ofstream(file, std::ios::binary) << std::string(FirmwareBuffer::kSize, '\x5A');
  desk.op.chosen = file.string();
  FirmwareBuffer buffer;
  for (auto _ : state) benchmark::DoNotOptimize(UploadFirmwareClick(desk.access, buffer, "/") == UploadOutcome::Done);
  std::filesystem::remove(file);
}
BENCHMARK(UploadFirmwareWhole)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarnvik

BENCHMARK_MAIN();
