#include "device/ConfigTransfer.h"

#include <algorithm>
#include <string>

#include "core/Operator.h"
#include "device/DeviceLink.h"
#include "image/ConfigImage.h"

namespace tarnvik {

namespace {

std::uint16_t PageNumber(std::size_t p) { return static_cast<std::uint16_t>(p); }

}  // namespace

std::string PageLine(const char* prefix, std::size_t n, std::size_t total) {
  return prefix + std::to_string(n) + "/" + std::to_string(total);
}

bool WritePage(DeviceLink& link, std::uint16_t p, PageBytes data) {
  HidReport response{};
  return link.ExchangeReport(MakePageRequest(Command::WritePage, p, data), response);
}

bool ReadPage(DeviceLink& link, std::uint16_t p, std::span<std::uint8_t, report::kPageBytes> destination) {
  HidReport request = MakeRequest(Command::ReadPage);
  PutU16(request, report::kIndex, p);
  HidReport response{};
  if (!link.ExchangeReport(request, response)) return false;
  const PageBytes data = ReportPage(response);
  if (PageSum(data) != GetU16(response, report::kSum)) return false;
  std::copy(data.begin(), data.end(), destination.begin());
  return true;
}

bool TransferPages(DeviceLink& link, Operator& op, std::size_t total, PageLineTexts texts,
                   const std::function<bool(std::size_t)>& transfer) {
  op.progressStart(static_cast<int>(total));
  for (std::size_t i = 0; i < total; ++i) {
    if (!transfer(i)) {
      op.logLine(PageLine(texts.failed, i + 1, total));
      link.logFaultNote();
      return false;
    }
    op.logLine(PageLine(texts.done, i + 1, total));
    op.progressStep();
  }
  return true;
}

bool WriteConfigPages(DeviceLink& link, const ConfigImage& writeImage, Operator& op) {
  const auto write = [&](std::size_t p) { return WritePage(link, PageNumber(p), writeImage.page(p)); };
  if (!TransferPages(link, op, ConfigImage::kPageCount, {"Page written: ", "Page write error: "}, write)) return false;
  op.logLine("Eeprom write success");
  op.progressReset();
  return true;
}

bool ReadConfigPages(DeviceLink& link, ConfigImage& readImage, Operator& op) {
  const auto read = [&](std::size_t p) { return ReadPage(link, PageNumber(p), readImage.page(p)); };
  if (!TransferPages(link, op, ConfigImage::kPageCount, {"Page read: ", "Page read error: "}, read)) return false;
  op.progressReset();
  return true;
}

bool ReadWholeConfigPages(DeviceLink& link, ConfigImage& readImage, Operator& op) {
  bool cut = false;
  const auto read = [&](std::size_t p) {
    if (!ReadPage(link, PageNumber(p), readImage.page(p))) return false;
    cut = link.answerLength() < kWholePageAnswer;
    return !cut;
  };
  if (!TransferPages(link, op, ConfigImage::kPageCount, {"Page read: ", "Page read error: "}, read)) {
    if (cut)
      op.logLine("Tarnvik answered with " + std::to_string(link.answerLength()) + " of " + std::to_string(kReportSize) +
                 " bytes, too few to hold a page.");
    return false;
  }
  op.progressReset();
  return true;
}

}  // namespace tarnvik
