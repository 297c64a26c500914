#pragma once
// What the image keeps of settings that the encoder accepted, as the decoder
// gives them back: the normalisations of the unit's image, written down once
// for the round-trip tests and the image fuzz target.

#include "settings/DeviceSettings.h"

namespace tarnvik::test {

// The settings `s` as DecodeImage gives them back from the image that
// EncodeSettings made of them:
//  - callsigns, destinations and paths in upper case (ASCII letters only);
//    the station callsign padded with spaces to six characters, the others
//    without trailing spaces;
//  - numbers and SSIDs in plain decimal of the value the field keeps: no
//    leading zeros or plus sign, and cut to the field (65541 in a u16 rate
//    gives 5);
//  - the SSID of an empty path as 0 (it is not read when the path is empty);
//  - the serial port rules run once more, port 1 then port 2, as the decoder
//    runs them.
// The clock fields and Uploadpctime are not decoded and stay as they are.
// Expects settings the encoder accepted.
DeviceSettings AsDecoded(const DeviceSettings& s);

// ASCII letters a to z as A to Z, every other byte unchanged.
std::string UpperAscii(std::string text);

}  // namespace tarnvik::test
