#include "device/FirmwareUpload.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/Operator.h"
#include "device/ConfigTransfer.h"
#include "device/DeviceLink.h"
#include "device/DeviceOperations.h"
#include "device/UnitSession.h"
#include "platform/InputFile.h"
#include "platform/PathText.h"

namespace tarnvik {

namespace {

struct FirmwareFile {
  enum class Status { Read, OpenError, TooLong };
  Status status = Status::OpenError;
  std::vector<std::uint8_t> content;
};

// The file is read by its content, up to one byte past the most a firmware
// file may hold, so that a device or a pipe (which have no size to look at)
// meets the same limit as a regular file and an endless one is refused as
// too long.
FirmwareFile ReadFirmwareFile(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(platform::PathOf(path), ignored)) return {};
  platform::InputFile in(path, platform::InputFile::Wait::ForWriter);
  std::string content;
  // A read error is never taken for the end of the file.
  if (!in.isOpen() || !in.readUpTo(FirmwareBuffer::kSize, content)) return {};
  if (content.size() > FirmwareBuffer::kSize) return {FirmwareFile::Status::TooLong, {}};
  return {FirmwareFile::Status::Read, std::vector<std::uint8_t>(content.begin(), content.end())};
}

// Shows the box for a file that cannot be sent; nothing for one that can.
UploadOutcome Refuse(const FirmwareFile& file, Operator& op) {
  if (file.status == FirmwareFile::Status::OpenError) {
    op.informationBox("File open error.", "File open error");
    return UploadOutcome::OpenError;
  }
  op.informationBox("Firmware file error.", "File to long.");
  return UploadOutcome::TooLong;
}

UploadOutcome SendPages(DeviceLink& link, Operator& op, const FirmwareBuffer& buffer, std::size_t pages) {
  const auto write = [&](std::size_t i) {
    return WriteFirmwarePage(link, static_cast<std::uint16_t>(i), buffer.page(i));
  };
  if (!TransferPages(link, op, pages, {"Page written: ", "Page write error: "}, write))
    return UploadOutcome::PageFailed;
  op.logLine("Firmware upgrade success");
  op.progressReset();
  return UploadOutcome::Done;
}

}  // namespace

void FirmwareBuffer::load(const std::vector<std::uint8_t>& content) {
  const std::size_t n = std::min(content.size(), kSize);
  std::copy_n(content.begin(), n, bytes_.begin());
  std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(n), bytes_.end(), 0);
}

PageBytes FirmwareBuffer::page(std::size_t i) const { return PageBytes(bytes_.data() + i * kPageSize, kPageSize); }

FileMessage FirmwareQuestion(const std::string& file, std::size_t size, const HidInterface& unit) {
  return {"Upload the firmware ", file,
          " (" + std::to_string(size) + " bytes) to the Tarnvik at " + UnitName(unit) + "?"};
}

std::string FirmwareFolder(const std::string& executableFolder) { return executableFolder + "firmware/"; }

bool WriteFirmwarePage(DeviceLink& link, std::uint16_t i, PageBytes data) {
  HidReport response{};
  return link.ExchangeReport(MakePageRequest(Command::FirmwarePage, i, data), response);
}

UploadOutcome UploadFirmware(DeviceLink& link, Operator& op, FirmwareBuffer& buffer, const std::string& firmwareFolder,
                             UploadQuestion question) {
  FileRequest request;
  request.mode = FileRequest::Mode::Open;
  request.initialFolder = firmwareFolder;
  const std::optional<std::string> path = op.chooseFile(request);
  if (!path) return UploadOutcome::Cancelled;
  const FirmwareFile file = ReadFirmwareFile(*path);
  if (file.status != FirmwareFile::Status::Read) return Refuse(file, op);
  if (question == UploadQuestion::Ask && !op.askYesNo(FirmwareQuestion(*path, file.content.size(), link.unit()))) {
    op.logLine(kFirmwareDeclinedLine);
    return UploadOutcome::Declined;
  }
  buffer.load(file.content);
  const std::size_t pages = (file.content.size() + FirmwareBuffer::kPageSize - 1) / FirmwareBuffer::kPageSize;
  return SendPages(link, op, buffer, pages);
}

UploadOutcome UploadFirmwareClick(const DeviceAccess& access, FirmwareBuffer& buffer,
                                  const std::string& executableFolder, UploadQuestion question) {
  UnitSession units(access.transport);
  DeviceLink link = LinkFor(HeldAccess(access, units));
  if (!link.OpenLink()) return UploadOutcome::NotFound;
  return UploadFirmware(link, access.op, buffer, FirmwareFolder(executableFolder), question);
}

}  // namespace tarnvik
