#pragma once
// What a byte of the image belongs to, by name, for messages that point at
// bytes (a page that came back from the unit other than it was written).

#include <cstddef>
#include <string>
#include <vector>

namespace tarnvik {

// The setting whose field holds the byte at `offset` (for an address, the
// callsign setting for its six callsign bytes and the station's terminator,
// the SSID setting for the SSID character), or one of the image's own parts
// in parentheses: "(checksum)", "(write stamp)", "(version mark)",
// "(end marker)", "(reserved)". Any offset past the image is "(reserved)".
std::string ImagePartAt(std::size_t offset);

// The parts that hold the bytes at `offsets`, each named once, in the order
// of the offsets.
std::vector<std::string> ImagePartsAt(const std::vector<std::size_t>& offsets);

}  // namespace tarnvik
