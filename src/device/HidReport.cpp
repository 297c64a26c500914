#include "device/HidReport.h"

#include <algorithm>

namespace tarnvik {

std::uint16_t PageSum(PageBytes data) {
  std::uint16_t sum = 0;
  for (const std::uint8_t byte : data) sum = static_cast<std::uint16_t>(sum + byte);
  return sum;
}

HidReport MakeRequest(Command command) {
  HidReport request{};
  request[report::kCommand] = static_cast<std::uint8_t>(command);
  return request;
}

HidReport MakePageRequest(Command command, std::uint16_t index, PageBytes data) {
  HidReport request = MakeRequest(command);
  PutU16(request, report::kIndex, index);
  std::copy(data.begin(), data.end(), request.begin() + report::kData);
  PutU16(request, report::kSum, PageSum(data));
  return request;
}

std::uint16_t GetU16(const HidReport& r, std::size_t offset) {
  return static_cast<std::uint16_t>(r.at(offset) | r.at(offset + 1) << 8);
}

std::uint32_t GetU32(const HidReport& r, std::size_t offset) {
  return std::uint32_t{GetU16(r, offset)} | std::uint32_t{GetU16(r, offset + 2)} << 16;
}

void PutU16(HidReport& r, std::size_t offset, std::uint16_t value) {
  r.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
  r.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(HidReport& r, std::size_t offset, std::uint32_t value) {
  PutU16(r, offset, static_cast<std::uint16_t>(value & 0xFFFF));
  PutU16(r, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

PageBytes ReportPage(const HidReport& r) { return PageBytes(r.data() + report::kData, report::kPageBytes); }

}  // namespace tarnvik
