// What a transfer costs the window's own thread: Read config and Write
// config clicked in the window against a simulated unit that answers at
// once, the worker thread doing the exchanges. The time reported is the CPU
// time of the UI thread alone (taking the log lines and progress in batches,
// repainting, showing the settings read), which is what keeps the window
// from answering the operator. The unit holds settings that differ from the
// window's in every field, so that every control changes.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <random>

#include "app/Form1.h"
#include "core/SilentOperator.h"
#include "device/backends/TransportChoice.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "image/EncodeSettings.h"

namespace tarnvik {
namespace {

const PcClock kClock = [] { return std::time_t{1783069500}; };  // 2026-07-03 09:05 UTC

double CpuSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double ThreadCpuSeconds() { return CpuSeconds(CLOCK_THREAD_CPUTIME_ID); }

// Settings unlike the start-up ones in every text.
ConfigImage OtherSettings() {
  DeviceSettings settings(kClock);
  settings.setText("Callsign", "SP9ABC");
  settings.setText("Beacon1_msg", "Benchmark beacon");
  for (int n = 1; n <= 8; ++n) settings.setText("Beacon" + std::to_string(n) + "_txrate_rf", "30");
  settings.setText("Weather_comment", "Elsewhere");
  ConfigImage image;
  SilentOperator silent;
  EncodeSettings(settings, image, silent, [] { return std::uint16_t(1); });
  return image;
}

// Answers the version box at once.
class Answering : public Dialogs {
  void informationBox(const std::string&, const std::string&) override {}
  void plainBox(const std::string&) override {}
  void errorBox(const std::string&) override {}
  std::optional<std::string> chooseFile(const FileRequest&) override { return {}; }
};

void Run(Form1& form, void (Form1::*operation)()) {
  QEventLoop loop;
  QObject::connect(&form, &Form1::operationFinished, &loop, &QEventLoop::quit);
  (form.*operation)();
  if (form.operationRunning()) loop.exec();
}

void WindowCost(benchmark::State& state, void (Form1::*operation)()) {
  auto unit = std::make_shared<SimulatedUnit>();
  unit->setMemory(OtherSettings());
  Answering dialogs;
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<Form1>(WindowServices{kClock, &dialogs, [unit] {
                                                         auto transport = std::make_unique<SimulatedTransport>();
                                                         transport->addUnit("/dev/hidraw0", unit);
                                                         return transport;
                                                       }});
    form->show();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    const double start = ThreadCpuSeconds();
    Run(*form, operation);
    QCoreApplication::processEvents();  // the last repaint
    state.SetIterationTime(ThreadCpuSeconds() - start);
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}

void ReadConfigWindowCost(benchmark::State& state) { WindowCost(state, &Form1::readConfig); }
BENCHMARK(ReadConfigWindowCost)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void WriteConfigWindowCost(benchmark::State& state) { WindowCost(state, &Form1::writeConfig); }
BENCHMARK(WriteConfigWindowCost)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// What one listing of the units costs while the window is idle, its own
// thread and the device worker's together (the process's CPU time): two
// simulated units, or the system's HID stack with whatever it has attached.
void UnitCheckCost(benchmark::State& state, TransportFactory transport) {
  Answering dialogs;
  WindowServices services{kClock, &dialogs, std::move(transport)};
  services.unitWatch = std::chrono::milliseconds(0);
  Form1 form(services);
  form.show();
  const auto check = [&form] {
    QEventLoop loop;
    QObject::connect(&form.unitWatch(), &UnitWatch::listed, &loop, &QEventLoop::quit);
    form.unitWatch().checkNow();
    loop.exec();
  };
  check();  // the worker makes its transport
  for (auto _ : state) {
    const double start = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    check();
    state.SetIterationTime(CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - start);
  }
}

void UnitCheckTwoSimulatedUnits(benchmark::State& state) {
  UnitCheckCost(state, [] {
    auto transport = std::make_unique<SimulatedTransport>();
    transport->addUnit("/dev/hidraw4", std::make_shared<SimulatedUnit>());
    transport->addUnit("/dev/hidraw5", std::make_shared<SimulatedUnit>());
    return transport;
  });
}
BENCHMARK(UnitCheckTwoSimulatedUnits)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

void UnitCheckSystemHid(benchmark::State& state) {
  UnitCheckCost(state, [] { return MakeTransport({}); });
}
BENCHMARK(UnitCheckSystemHid)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
}  // namespace tarnvik

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
