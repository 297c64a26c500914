#pragma once
// Upload firmware: the operator picks a file and the whole of it goes to the
// unit unchanged, 32 bytes per report, one log line and one progress step per
// page. The pages are the whole protocol: no handshake before or after.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileMessage.h"
#include "device/HidReport.h"

namespace tarnvik {

class DeviceLink;
class Operator;
struct DeviceAccess;
struct HidInterface;

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
  Declined,    // the operator answered No to the question before the first page
  OpenError,   // "File open error."
  TooLong,     // "Firmware file error." (caption "File to long.")
  PageFailed,  // "Page write error: i/N"
  Done,        // "Firmware upgrade success"
};

// Whether the operator confirms an upload once the file is read, before the
// first page goes out: the window asks, naming the file, its size and the
// unit, since a firmware sent to the wrong unit or from the wrong file cannot
// be taken back; the tool's command line has already named both.
enum class UploadQuestion { None, Ask };

// "Upload the firmware FILE (N bytes) to the Tarnvik at PATH (serial S)?"
FileMessage FirmwareQuestion(const std::string& file, std::size_t size, const HidInterface& unit);

inline constexpr const char* kFirmwareDeclinedLine = "Firmware upload cancelled: nothing was sent to the unit.";

// "<executable folder>firmware/": where the file dialog opens.
std::string FirmwareFolder(const std::string& executableFolder);

// Sends firmware page i with its sum; true when the unit acknowledged it.
bool WriteFirmwarePage(DeviceLink& link, std::uint16_t i, PageBytes data);

// The dialog (opened in firmwareFolder, no filter), the file, the question
// when asked for (a No logs kFirmwareDeclinedLine and sends nothing) and the
// page loop, on an open link that stays open.
UploadOutcome UploadFirmware(DeviceLink& link, Operator& op, FirmwareBuffer& buffer, const std::string& firmwareFolder,
                             UploadQuestion question = UploadQuestion::None);

// The button: the unit is found, and its line logged, before the operator is
// asked for the file; the link is closed on every way out.
UploadOutcome UploadFirmwareClick(const DeviceAccess& access, FirmwareBuffer& buffer,
                                  const std::string& executableFolder, UploadQuestion question = UploadQuestion::None);

}  // namespace tarnvik
