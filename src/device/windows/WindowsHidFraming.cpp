#include "device/windows/WindowsHidFraming.h"

#include <algorithm>

#include "device/HidReport.h"
#include "device/windows/WideText.h"

namespace tarnvik::winhid {

namespace {

// INFINITE in the system's headers.
constexpr std::uint32_t kWaitForEver = 0xFFFFFFFF;

}  // namespace

std::string HardwareIdsFromMultiString(std::u16string_view value) {
  std::string ids;
  while (!value.empty()) {
    const std::size_t end = std::min(value.find(u'\0'), value.size());
    if (end == 0) break;  // the empty text that ends the list
    ids += Utf8FromUtf16(value.substr(0, end));
    ids += '\0';
    value.remove_prefix(std::min(end + 1, value.size()));
  }
  return ids;
}

std::string SerialFromUtf16(std::u16string_view value) {
  std::string serial;
  for (const char16_t unit : value.substr(0, value.find(u'\0')))
    serial += unit >= 0x20 && unit < 0x7F ? static_cast<char>(unit) : '?';
  return serial;
}

std::size_t FrameLength(std::size_t deviceLength) { return deviceLength == 0 ? kReportSize : deviceLength; }

std::vector<std::uint8_t> OutputFrame(std::span<const std::uint8_t> report, std::size_t outputLength) {
  std::vector<std::uint8_t> frame(std::max(report.size(), outputLength), 0);
  std::copy(report.begin(), report.end(), frame.begin());
  return frame;
}

HidTransfer WriteDone(std::size_t transferred, std::size_t reportSize) {
  return HidTransfer::done(std::min(transferred, reportSize));
}

HidTransfer ReadDone(std::span<const std::uint8_t> received, std::span<std::uint8_t> report) {
  const std::size_t length = std::min(received.size(), report.size());
  std::copy_n(received.begin(), length, report.begin());
  return HidTransfer::done(length);
}

std::uint32_t WaitMs(std::chrono::milliseconds limit) {
  return static_cast<std::uint32_t>(std::clamp<long long>(limit.count(), 0, kWaitForEver - 1));
}

std::string SystemErrorText(std::uint32_t code, std::u16string_view message) {
  std::string text = LogTextFromUtf16(message);
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  const std::string number = "error " + std::to_string(code);
  return text.empty() ? number : text + " (" + number + ")";
}

std::string DescribeOpenFailure(const std::string& path, const std::string& reason) {
  return path + ": " + (reason.empty() ? "no reason given" : reason);
}

}  // namespace tarnvik::winhid
