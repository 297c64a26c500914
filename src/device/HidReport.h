#pragma once
// The unit's report frame and command set. Every request and response is 65
// bytes: byte 0 the report id (0), byte 1 the command code (echoed in the
// response), then parameters. Integers are little-endian. Bytes a request
// does not use are sent as zero.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarnvik {

inline constexpr std::size_t kReportSize = 65;
using HidReport = std::array<std::uint8_t, kReportSize>;

enum class Command : std::uint8_t {
  FirmwareVersion = 0xFB,  // response 2..5: version times 100, u32
  ReadPage = 0xFC,         // request 2..3: page; response 4..35: data, 36..37: sum
  WritePage = 0xFD,        // request 2..3: page, 4..35: data, 36..37: sum
  FirmwarePage = 0xFE,     // request 2..3: firmware page, 4..35: data, 36..37: sum
};

// Where a page travels inside a report.
namespace report {
inline constexpr std::size_t kCommand = 1;
inline constexpr std::size_t kIndex = 2;  // u16 page number
inline constexpr std::size_t kData = 4;   // 32 data bytes
inline constexpr std::size_t kSum = 36;   // u16 PageSum of the data
inline constexpr std::size_t kVersion = 2;
inline constexpr std::size_t kPageBytes = 32;
}  // namespace report

using PageBytes = std::span<const std::uint8_t, report::kPageBytes>;

// The 32 data bytes added as unsigned values into 16 bits (modulo 65536).
std::uint16_t PageSum(PageBytes data);

// A request with only its command code set.
HidReport MakeRequest(Command command);
// A page request: command, page index, data and its sum.
HidReport MakePageRequest(Command command, std::uint16_t index, PageBytes data);

std::uint16_t GetU16(const HidReport& r, std::size_t offset);
std::uint32_t GetU32(const HidReport& r, std::size_t offset);
void PutU16(HidReport& r, std::size_t offset, std::uint16_t value);
void PutU32(HidReport& r, std::size_t offset, std::uint32_t value);

// The 32 data bytes of a page report.
PageBytes ReportPage(const HidReport& r);

}  // namespace tarnvik
