#pragma once
// The unit's 2048-byte configuration memory moved as 64 pages of 32 bytes,
// one exchange per page, with a sum on every page, one log line and one
// progress step per page. The first failed page ends the transfer: no retry,
// no later page, nothing rolled back.
//
// The page loops expect an open link and leave it open.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "device/HidReport.h"

namespace tarnvik {

class ConfigImage;
class DeviceLink;
class Operator;

// Sends page p with its sum; true when the unit acknowledged it.
bool WritePage(DeviceLink& link, std::uint16_t p, PageBytes data);

// Asks for page p; true, with the 32 bytes stored at `destination`, only when
// the answer came and its sum matches its data. Otherwise `destination` is
// left as it was.
bool ReadPage(DeviceLink& link, std::uint16_t p, std::span<std::uint8_t, report::kPageBytes> destination);

// Writes all 64 pages of the image: "Page written: 1/64" ... then "Eeprom
// write success"; or stops at "Page write error: n/64". True when complete.
bool WriteConfigPages(DeviceLink& link, const ConfigImage& writeImage, Operator& op);

// Reads all 64 pages into the image: "Page read: 1/64" ... (no closing line:
// the checksum judges the data); or stops at "Page read error: n/64", the
// pages not read keeping their content. True when complete.
bool ReadConfigPages(DeviceLink& link, ConfigImage& readImage, Operator& op);

// An answer to a page read that reaches past the page's sum brought the page
// whole. A shorter one, its missing bytes taken as zeros, reads as a page of
// zeros whose sum matches, whatever the unit holds.
inline constexpr std::size_t kWholePageAnswer = report::kSum + 2;

// As ReadConfigPages, but a page whose answer did not come whole fails too,
// after its error line with "Tarnvik answered with N of 65 bytes, too few to
// hold a page.": for reads whose zeros must be the unit's own, such as the
// backup before a write, where a memory of zeros counts as a blank unit.
bool ReadWholeConfigPages(DeviceLink& link, ConfigImage& readImage, Operator& op);

// "<prefix><n>/<total>", numbers in plain decimal.
std::string PageLine(const char* prefix, std::size_t n, std::size_t total);

// What a page loop logs: after each page that went through, and at the page
// that failed.
struct PageLineTexts {
  const char* done;    // "Page written: ", "Page read: "
  const char* failed;  // "Page write error: ", "Page read error: "
};

// The loop every transfer shares: progress over `total` pages, then
// transfer(i) for i = 0 .. total-1 with one log line and one progress step
// per page. The first failed page logs its error line (and the link's note
// on why) and ends the loop with false, the progress bar left where it
// stood. After the last page the caller writes its closing line and resets
// the bar.
bool TransferPages(DeviceLink& link, Operator& op, std::size_t total, PageLineTexts texts,
                   const std::function<bool(std::size_t)>& transfer);

}  // namespace tarnvik
