#pragma once
// Upload firmware: the operator picks a file and the whole of it goes to the
// unit unchanged, 32 bytes per report, one log line and one progress step per
// page. The pages are the whole protocol: no handshake before or after.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "device/HidReport.h"

namespace tarnvik {

class DeviceLink;
class Operator;
struct DeviceAccess;

// The 54272 bytes (1696 pages) a firmware file may fill; the main window
// keeps one for as long as it runs.
class FirmwareBuffer {
 public:
  static constexpr std::size_t kSize = 54272;
  static constexpr std::size_t kPageSize = report::kPageBytes;
  static constexpr std::size_t kMaxPages = kSize / kPageSize;

  FirmwareBuffer() : bytes_(kSize, 0) {}

  // Holds `content` from the start; every byte after it is zero, so the last
  // page never carries what an earlier, longer file left behind. `content`
  // must not be longer than kSize.
  void load(const std::vector<std::uint8_t>& content);

  // Firmware page i (0-based).
  PageBytes page(std::size_t i) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

enum class UploadOutcome {
  NotFound,    // "Tarnvik not found.", no dialog
  Cancelled,   // the dialog was cancelled
  OpenError,   // "File open error."
  TooLong,     // "Firmware file error." (caption "File to long.")
  PageFailed,  // "Page write error: i/N"
  Done,        // "Firmware upgrade success"
};

// "<executable folder>firmware/": where the file dialog opens.
std::string FirmwareFolder(const std::string& executableFolder);

// Sends firmware page i with its sum; true when the unit acknowledged it.
bool WriteFirmwarePage(DeviceLink& link, std::uint16_t i, PageBytes data);

// The dialog (opened in firmwareFolder, no filter), the file and the page
// loop, on an open link that stays open.
UploadOutcome UploadFirmware(DeviceLink& link, Operator& op, FirmwareBuffer& buffer, const std::string& firmwareFolder);

// The button: the unit is found, and its line logged, before the operator is
// asked for the file; the link is closed on every way out.
UploadOutcome UploadFirmwareClick(const DeviceAccess& access, FirmwareBuffer& buffer,
                                  const std::string& executableFolder);

}  // namespace tarnvik
