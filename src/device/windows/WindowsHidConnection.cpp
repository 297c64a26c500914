#include "device/windows/WindowsHidConnection.h"

#include "core/OperationError.h"
#include "device/DeviceLink.h"
#include "device/windows/SystemError.h"
#include "device/windows/WindowsHidFraming.h"

namespace tarnvik::winhid {

WindowsHidConnection::WindowsHidConnection(HANDLE device, std::size_t inputLength, std::size_t outputLength)
    : device_(device),
      // Manual reset: it stays signalled once the transfer has ended, however
      // late the wait comes. ReadFile and WriteFile reset it when they start.
      event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      inputLength_(FrameLength(inputLength)),
      outputLength_(FrameLength(outputLength)),
      input_(inputLength_) {
  if (event_ == nullptr) {
    const std::string why = LastSystemError();
    CloseHandle(device_);
    throw OperationError("Unable to prepare a USB transfer: " + why);
  }
}

WindowsHidConnection::~WindowsHidConnection() {
  CloseHandle(event_);
  CloseHandle(device_);
}

HidTransfer WindowsHidConnection::write(std::span<const std::uint8_t> report) {
  const std::vector<std::uint8_t> frame = OutputFrame(report, outputLength_);
  OVERLAPPED transfer{};
  transfer.hEvent = event_;
  const BOOL started = WriteFile(device_, frame.data(), static_cast<DWORD>(frame.size()), nullptr, &transfer);
  const Ended ended = finish(transfer, started, WaitMs(kDefaultExchangeLimit));
  switch (ended.status) {
    case HidTransfer::Status::Done: return WriteDone(ended.bytes, report.size());
    case HidTransfer::Status::TimedOut:
      return HidTransfer::failed("the report was not taken within " + std::to_string(kDefaultExchangeLimit.count()) +
                                 " ms");
    case HidTransfer::Status::Failed: break;
  }
  return HidTransfer::failed(SystemError(ended.error));
}

HidTransfer WindowsHidConnection::read(std::span<std::uint8_t> report, std::chrono::milliseconds limit) {
  OVERLAPPED transfer{};
  transfer.hEvent = event_;
  const BOOL started = ReadFile(device_, input_.data(), static_cast<DWORD>(input_.size()), nullptr, &transfer);
  const Ended ended = finish(transfer, started, WaitMs(limit));
  switch (ended.status) {
    case HidTransfer::Status::Done: return ReadDone(std::span<const std::uint8_t>(input_).first(ended.bytes), report);
    case HidTransfer::Status::TimedOut: return HidTransfer::timedOut();
    case HidTransfer::Status::Failed: break;
  }
  return HidTransfer::failed(SystemError(ended.error));
}

WindowsHidConnection::Ended WindowsHidConnection::finish(OVERLAPPED& transfer, BOOL started, DWORD limitMs) {
  if (!started) {
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) return {HidTransfer::Status::Failed, 0, error};
  }
  const DWORD waited = WaitForSingleObject(event_, limitMs);
  if (waited != WAIT_OBJECT_0) {
    // The transfer must end before its OVERLAPPED and buffer go away: cancel
    // it and wait for the cancel. It may have finished meanwhile; then its
    // result stands.
    const DWORD waitError = waited == WAIT_FAILED ? GetLastError() : 0;
    CancelIoEx(device_, &transfer);
    DWORD bytes = 0;
    if (GetOverlappedResult(device_, &transfer, &bytes, TRUE)) return {HidTransfer::Status::Done, bytes, 0};
    const DWORD error = GetLastError();
    if (waitError != 0) return {HidTransfer::Status::Failed, 0, waitError};
    if (error == ERROR_OPERATION_ABORTED) return {HidTransfer::Status::TimedOut, 0, 0};
    return {HidTransfer::Status::Failed, 0, error};
  }
  DWORD bytes = 0;
  if (!GetOverlappedResult(device_, &transfer, &bytes, FALSE)) return {HidTransfer::Status::Failed, 0, GetLastError()};
  return {HidTransfer::Status::Done, bytes, 0};
}

}  // namespace tarnvik::winhid
