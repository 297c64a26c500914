// The Windows HID backend against the system: the "no unit" path through the
// setup API, a failed open, and the connection's overlapped transfers,
// bounded waits and cancels, driven through a message-mode named pipe that
// keeps report boundaries as the HID class driver does.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <string>
#include <thread>

#include "device/DeviceLink.h"
#include "device/windows/WindowsHidConnection.h"
#include "device/windows/WindowsHidTransport.h"
#include "support/RecordingOperator.h"

namespace tarnvik::winhid {
namespace {

using std::chrono::milliseconds;

// A pipe whose client end is a connection as the backend opens it; the test
// plays the device on the server end.
class PipeDevice {
 public:
  PipeDevice() {
    static std::atomic<int> counter{0};
    const std::wstring name =
        L"\\\\.\\pipe\\tarnvik-hid-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    server_ = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                               1, 4096, 4096, 0, nullptr);
    const HANDLE client = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
    if (server_ == INVALID_HANDLE_VALUE || client == INVALID_HANDLE_VALUE) {
      ADD_FAILURE() << "no pipe: error " << GetLastError();
      return;
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(client, &mode, nullptr, nullptr);
    connection = std::make_unique<WindowsHidConnection>(client, kReportSize, kReportSize);
  }
  ~PipeDevice() { unplug(); }

  void send(std::span<const std::uint8_t> report) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(server_, report.data(), static_cast<DWORD>(report.size()), &written, nullptr));
    ASSERT_EQ(written, report.size());
  }
  // The next message the connection sent; nothing after a few seconds
  // without one, so that a test that fails never hangs.
  std::vector<std::uint8_t> receive() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    DWORD waiting = 0;
    while (PeekNamedPipe(server_, nullptr, 0, nullptr, &waiting, nullptr) && waiting == 0 &&
           std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(milliseconds(1));
    std::vector<std::uint8_t> bytes(256);
    DWORD got = 0;
    if (waiting == 0 || !ReadFile(server_, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
    return bytes;
  }
  void unplug() {
    if (server_ != INVALID_HANDLE_VALUE) CloseHandle(server_);
    server_ = INVALID_HANDLE_VALUE;
  }

  std::unique_ptr<WindowsHidConnection> connection;

 private:
  HANDLE server_ = INVALID_HANDLE_VALUE;
};

HidReport Numbered(std::uint8_t first) {
  HidReport report{};
  std::iota(report.begin() + 1, report.end(), first);
  return report;
}

TEST(WindowsHidSystem, WithoutAUnitNothingIsListedAndTheLinkLogsNotFound) {
  WindowsHidTransport everything([](std::string_view) { return true; });
  for (const HidInterface& present : everything.enumerate()) {
    EXPECT_FALSE(present.path.empty());
    EXPECT_EQ(present.hardwareIds.back(), '\0') << present.path;
  }
  WindowsHidTransport transport;
  const std::vector<HidInterface> units = transport.enumerate();
  for (const HidInterface& unit : units) EXPECT_TRUE(MatchesTarnvik(unit.hardwareIds)) << unit.path;
  if (!units.empty()) GTEST_SKIP() << "a unit is plugged in: " << units.front().path;

  test::RecordingOperator op;
  DeviceLink link(transport, op);
  EXPECT_FALSE(link.OpenLink());
  EXPECT_EQ(op.log, std::vector<std::string>{"Tarnvik not found."});
}

TEST(WindowsHidSystem, AFailedOpenNamesThePathAndTheSystemsReason) {
  const std::string path = "\\\\?\\hid#vid_0483&pid_a04a#0&0&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  WindowsHidTransport transport;
  const HidTransport::Opened opened = transport.open(path);
  EXPECT_EQ(opened.connection, nullptr);
  EXPECT_EQ(opened.error.rfind(path + ": ", 0), 0u) << opened.error;
  EXPECT_NE(opened.error.find("(error "), std::string::npos) << opened.error;
}

TEST(WindowsHidSystem, ReadsWaitAtMostTheirLimitAndLoseNoReportToACancel) {
  PipeDevice device;
  ASSERT_TRUE(device.connection);
  HidReport report{};
  for (const milliseconds limit : {milliseconds(0), milliseconds(40)}) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.connection->read(report, limit).status, HidTransfer::Status::TimedOut) << limit.count();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, limit - milliseconds(5));
    EXPECT_LT(waited, limit + milliseconds(2000));
  }
  // The cancelled reads took nothing: what comes next arrives whole, even
  // when only looked for (a limit of 0, as stale reports are drained).
  const HidReport first = Numbered(1);
  const HidReport second = Numbered(100);
  device.send(first);
  device.send(second);
  device.send(std::span<const std::uint8_t>(first).first(8));
  HidTransfer got = device.connection->read(report, milliseconds(0));
  EXPECT_EQ(got.status, HidTransfer::Status::Done);
  EXPECT_EQ(got.length, kReportSize);
  EXPECT_EQ(report, first);
  got = device.connection->read(report, milliseconds(1000));
  EXPECT_EQ(got.length, kReportSize);
  EXPECT_EQ(report, second);
  EXPECT_EQ(device.connection->read(report, milliseconds(1000)).length, 8u);  // a short report stays short

  device.unplug();
  got = device.connection->read(report, milliseconds(1000));
  EXPECT_EQ(got.status, HidTransfer::Status::Failed);
  EXPECT_NE(got.error.find("(error 109)"), std::string::npos) << got.error;  // the pipe has been ended
}

TEST(WindowsHidSystem, WritesGoOutAsWholeFrames) {
  PipeDevice device;
  ASSERT_TRUE(device.connection);
  const HidReport request = Numbered(7);
  HidTransfer sent = device.connection->write(request);
  EXPECT_EQ(sent.status, HidTransfer::Status::Done);
  EXPECT_EQ(sent.length, kReportSize);
  EXPECT_EQ(device.receive(), std::vector<std::uint8_t>(request.begin(), request.end()));

  sent = device.connection->write(std::span<const std::uint8_t>(request).first(9));
  EXPECT_EQ(sent.length, 9u);
  std::vector<std::uint8_t> padded(request.begin(), request.begin() + 9);
  padded.resize(kReportSize, 0);
  EXPECT_EQ(device.receive(), padded);

  device.unplug();
  sent = device.connection->write(request);
  EXPECT_EQ(sent.status, HidTransfer::Status::Failed);
  EXPECT_NE(sent.error.find("(error "), std::string::npos) << sent.error;
}

// The link over the backend's connection: a late answer to an earlier
// request waits in the queue; the exchange throws it away and takes the
// answer to its own request.
class PipeTransport : public HidTransport {
 public:
  explicit PipeTransport(std::unique_ptr<HidConnection> connection) : connection_(std::move(connection)) {}
  std::vector<HidInterface> enumerate() override {
    return {{"pipe", std::string("HID\\VID_0483&PID_A04A&REV_0200") + '\0'}};
  }
  Opened open(const std::string&) override { return {std::move(connection_), {}}; }

 private:
  std::unique_ptr<HidConnection> connection_;
};

TEST(WindowsHidSystem, TheLinkDrainsAStaleAnswerBeforeItsExchange) {
  PipeDevice device;
  ASSERT_TRUE(device.connection);
  HidReport stale = MakeRequest(Command::FirmwareVersion);
  stale[report::kVersion] = 0x11;
  device.send(stale);
  std::thread unit([&] {
    const std::vector<std::uint8_t> request = device.receive();
    HidReport answer{};
    if (request.size() > report::kCommand) answer[report::kCommand] = request[report::kCommand];
    answer[report::kVersion] = 0x22;
    device.send(answer);
  });
  test::RecordingOperator op;
  PipeTransport transport(std::move(device.connection));
  DeviceLink link(transport, op);
  EXPECT_TRUE(link.OpenLink());
  HidReport response{};
  EXPECT_TRUE(link.ExchangeReport(MakeRequest(Command::FirmwareVersion), response));
  unit.join();
  EXPECT_EQ(response[report::kVersion], 0x22);
  EXPECT_EQ(link.lastFault(), ExchangeFault::None);
}

}  // namespace
}  // namespace tarnvik::winhid
