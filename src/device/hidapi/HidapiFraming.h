#pragma once
// The parts of the hidapi backend that need no device: how enumeration data
// becomes the hardware identifiers the link matches, how hidapi's results and
// its framing of input reports become the program's 65-byte reports, and how
// its error texts become log text.
//
// hidapi's contract: byte 0 of a write is the report id (0 for the unit,
// which has no numbered reports), so a request goes out as the whole 65-byte
// frame; a read of an unnumbered report gives the 64 report bytes without
// the report id, so the backend reads into byte 1 and puts the 0 back.

#include <cstdint>
#include <span>
#include <string>

#include "device/HidTransport.h"

namespace tarnvik::hidapi {

// "HID\VID_0483&PID_A04A&REV_0200", zero byte, "HID\VID_0483&PID_A04A", zero
// byte: the identifiers the system would list, most specific first, with
// the numbers in upper-case hexadecimal.
std::string HardwareIds(std::uint16_t vendor, std::uint16_t product, std::uint16_t release);

// hid_write's result for a frame of `sent` bytes: negative is a failure.
HidTransfer WriteResult(int result, const std::string& error);

// hid_read_timeout's result after reading into report[1...]: puts the report
// id 0 in report[0] and counts it. Negative is a failure, 0 a time-out.
HidTransfer FramedRead(int result, std::span<std::uint8_t> report, const std::string& error);

// hidapi's wide error text as plain text; characters beyond ASCII become '?'.
std::string Narrow(const wchar_t* text);

// Why a path could not be opened, naming the path once.
std::string DescribeOpenFailure(const std::string& path, const std::string& reason);

// The time limit as hidapi takes it: never negative (that would block for
// ever) and never beyond an int.
int TimeoutMs(long long milliseconds);

}  // namespace tarnvik::hidapi
