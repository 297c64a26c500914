#pragma once
// The parts of the Windows HID backend that need no device: the hardware
// identifiers as the setup API hands them over, the report frames the HID
// class driver takes and gives, the time limits its waits take, and the
// texts of its failures.
//
// The HID class driver reads and writes whole reports with the report id in
// byte 0 (0 for the unit, which has no numbered reports): the program's
// 65-byte frame as it is. A device reports its own lengths; a write shorter
// than the output length is refused by the driver, so it is padded.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HidTransport.h"

namespace tarnvik::winhid {

// A registry multi-string (REG_MULTI_SZ: texts each ended by a zero, the
// list ended by an empty text) as HidInterface::hardwareIds: the texts in
// UTF-8, each followed by a zero byte. The value may lack its final zeros
// (the registry does not enforce them); a last text cut short still counts.
std::string HardwareIdsFromMultiString(std::u16string_view value);

// A serial number as the HID class driver gives it (UTF-16, ended by a zero
// or by the end of the buffer) as HidInterface::serial: printable ASCII as it
// is, any other character as '?', as the hidapi backend shows it.
std::string SerialFromUtf16(std::u16string_view value);

// A report length the device gave (with its report id byte), or the unit's
// 65 bytes when it gave none.
std::size_t FrameLength(std::size_t deviceLength);

// The bytes a write hands the driver: the report, padded with zeros up to
// the device's output length.
std::vector<std::uint8_t> OutputFrame(std::span<const std::uint8_t> report, std::size_t outputLength);

// A finished write of `transferred` bytes of a padded frame, counted like the
// report given.
HidTransfer WriteDone(std::size_t transferred, std::size_t reportSize);

// A finished read: the bytes received go to `report` (as many as fit).
HidTransfer ReadDone(std::span<const std::uint8_t> received, std::span<std::uint8_t> report);

// A time limit as the system's waits take it, in milliseconds: never negative
// and never the value that means "wait for ever".
std::uint32_t WaitMs(std::chrono::milliseconds limit);

// A failure with the system's message for its error code: "<message> (error
// <code>)", the message's own full stop dropped; only the code when the
// system has no message.
std::string SystemErrorText(std::uint32_t code, std::u16string_view message);

// Why a path could not be opened, naming the path.
std::string DescribeOpenFailure(const std::string& path, const std::string& reason);

}  // namespace tarnvik::winhid
