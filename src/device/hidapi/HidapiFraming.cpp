#include "device/hidapi/HidapiFraming.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace tarnvik::hidapi {

std::string HardwareIds(std::uint16_t vendor, std::uint16_t product, std::uint16_t release) {
  char specific[64];
  char general[48];
  std::snprintf(specific, sizeof specific, "HID\\VID_%04X&PID_%04X&REV_%04X", unsigned{vendor}, unsigned{product},
                unsigned{release});
  std::snprintf(general, sizeof general, "HID\\VID_%04X&PID_%04X", unsigned{vendor}, unsigned{product});
  std::string ids = specific;
  ids += '\0';
  ids += general;
  ids += '\0';
  return ids;
}

HidTransfer WriteResult(int result, const std::string& error) {
  if (result < 0) return HidTransfer::failed(error);
  return HidTransfer::done(static_cast<std::size_t>(result));
}

HidTransfer FramedRead(int result, std::span<std::uint8_t> report, const std::string& error) {
  if (result < 0) return HidTransfer::failed(error);
  if (result == 0) return HidTransfer::timedOut();
  if (!report.empty()) report[0] = 0;
  return HidTransfer::done(std::min(static_cast<std::size_t>(result) + 1, report.size()));
}

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  if (text == nullptr) return narrow;
  for (; *text != L'\0'; ++text) narrow += (*text >= 0x20 && *text < 0x7F) ? static_cast<char>(*text) : '?';
  return narrow;
}

std::string DescribeOpenFailure(const std::string& path, const std::string& reason) {
  if (reason.empty()) return path + ": no reason given";
  if (reason.find(path) != std::string::npos) return reason;
  return path + ": " + reason;
}

int TimeoutMs(long long milliseconds) { return static_cast<int>(std::clamp<long long>(milliseconds, 0, INT_MAX)); }

}  // namespace tarnvik::hidapi
