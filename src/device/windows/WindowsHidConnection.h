#pragma once
// One open HID interface on Windows: a handle opened for overlapped I/O on
// which the HID class driver takes and gives whole reports.
//
// Every transfer is bounded. A read waits at most the caller's limit; a
// write at most the exchange limit, since a unit that stops taking reports
// must not hold the program. On a time-out the transfer is cancelled and
// the cancel awaited, so no transfer outlives its call; a report that
// arrived just before the cancel took is returned, not lost.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "device/HidTransport.h"

namespace tarnvik::winhid {

class WindowsHidConnection : public HidConnection {
 public:
  // Takes over `device` (opened with FILE_FLAG_OVERLAPPED; any handle that
  // keeps message boundaries will do). The lengths are the device's input
  // and output report lengths with the report id byte; 0 means the unit's 65.
  WindowsHidConnection(HANDLE device, std::size_t inputLength, std::size_t outputLength);
  ~WindowsHidConnection() override;
  WindowsHidConnection(const WindowsHidConnection&) = delete;
  WindowsHidConnection& operator=(const WindowsHidConnection&) = delete;

  HidTransfer write(std::span<const std::uint8_t> report) override;
  HidTransfer read(std::span<std::uint8_t> report, std::chrono::milliseconds limit) override;

 private:
  // How a started transfer ended.
  struct Ended {
    HidTransfer::Status status = HidTransfer::Status::Failed;
    DWORD bytes = 0;
    DWORD error = 0;
  };
  // Waits for the transfer ReadFile or WriteFile started (`started` is what
  // it returned), cancelling it after `limitMs`.
  Ended finish(OVERLAPPED& transfer, BOOL started, DWORD limitMs);

  HANDLE device_;
  HANDLE event_;
  std::size_t inputLength_;
  std::size_t outputLength_;
  std::vector<std::uint8_t> input_;
};

}  // namespace tarnvik::winhid
