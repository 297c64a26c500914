#include "device/ConfigTransfer.h"

#include <algorithm>
#include <string>

#include "core/Operator.h"
#include "device/DeviceLink.h"
#include "image/ConfigImage.h"

namespace tarnvik {

namespace {

constexpr std::size_t kPages = ConfigImage::kPageCount;

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

bool WriteConfigPages(DeviceLink& link, const ConfigImage& writeImage, Operator& op) {
  op.progressStart(static_cast<int>(kPages));
  for (std::size_t p = 0; p < kPages; ++p) {
    if (!WritePage(link, PageNumber(p), writeImage.page(p))) {
      op.logLine(PageLine("Page write error: ", p + 1, kPages));
      link.logFaultNote();
      return false;
    }
    op.logLine(PageLine("Page written: ", p + 1, kPages));
    op.progressStep();
  }
  op.logLine("Eeprom write success");
  op.progressReset();
  return true;
}

bool ReadConfigPages(DeviceLink& link, ConfigImage& readImage, Operator& op) {
  op.progressStart(static_cast<int>(kPages));
  for (std::size_t p = 0; p < kPages; ++p) {
    if (!ReadPage(link, PageNumber(p), readImage.page(p))) {
      op.logLine(PageLine("Page read error: ", p + 1, kPages));
      link.logFaultNote();
      return false;
    }
    op.logLine(PageLine("Page read: ", p + 1, kPages));
    op.progressStep();
  }
  op.progressReset();
  return true;
}

}  // namespace tarnvik
