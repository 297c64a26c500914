#include "device/WriteVerify.h"

#include "device/ConfigTransfer.h"
#include "image/ConfigImage.h"
#include "image/ImageParts.h"

namespace tarnvik {

namespace {

constexpr std::size_t kPages = ConfigImage::kPageCount;
constexpr std::size_t kPageSize = ConfigImage::kPageSize;

std::vector<std::size_t> DifferingBytes(const ConfigImage& written, const ConfigImage& back, std::size_t page) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = page * kPageSize; i < (page + 1) * kPageSize; ++i)
    if (written.bytes[i] != back.bytes[i]) offsets.push_back(i);
  return offsets;
}

std::string PageReport(std::size_t page, const std::vector<std::size_t>& offsets) {
  std::string line = PageLine("Page ", page + 1, kPages) + " (bytes " + std::to_string(page * kPageSize) + " to " +
                     std::to_string((page + 1) * kPageSize - 1) + "):";
  const std::vector<std::string> parts = ImagePartsAt(offsets);
  for (std::size_t i = 0; i < parts.size(); ++i) line += (i == 0 ? " " : ", ") + parts[i];
  return line;
}

}  // namespace

std::vector<std::string> DifferingPages(const ConfigImage& written, const ConfigImage& back) {
  std::vector<std::string> reports;
  for (std::size_t page = 0; page < kPages; ++page)
    if (const auto offsets = DifferingBytes(written, back, page); !offsets.empty())
      reports.push_back(PageReport(page, offsets));
  return reports;
}

VerifyResult VerifyWrittenPages(DeviceLink& link, const ConfigImage& written, Operator& op) {
  ConfigImage back;
  VerifyResult result;
  result.readBack = ReadConfigPages(link, back, op);
  if (result.readBack) result.pageReports = DifferingPages(written, back);
  return result;
}

std::vector<std::string> VerifyErrorLines(const VerifyResult& result) {
  if (!result.readBack) return {"Verify error: the pages written could not be read back."};
  const std::size_t n = result.pageReports.size();
  std::vector<std::string> lines{"Verify error: " + std::to_string(n) + (n == 1 ? " page of " : " pages of ") +
                                 std::to_string(kPages) + (n == 1 ? " differs" : " differ") +
                                 " from what was written."};
  lines.insert(lines.end(), result.pageReports.begin(), result.pageReports.end());
  return lines;
}

}  // namespace tarnvik
