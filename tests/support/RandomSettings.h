#pragma once
// Random settings for round-trip properties, reproducible from the seed of
// the generator that makes them.

#include <random>

#include "settings/DeviceSettings.h"

namespace tarnvik::test {

struct RandomTexts {
  // Texts that a configuration file keeps exactly: no blanks at either end,
  // not enclosed in a pair of quotes, no line breaks. Otherwise any byte but
  // NUL where the unit takes any character.
  bool fileSafe = false;
};

// Settings that EncodeSettings accepts, each in a form the operator may type:
// numbers with leading zeros or a plus sign, rates beyond 65535 that their
// 16-bit field cuts to a valid value, callsigns in lower case, an empty path
// with an SSID text that is not a number (it is not read). Beacon messages and
// the weather comment are printable ASCII; names, units, coefficients and
// titles any bytes but NUL. Every choice may be without selection; the serial
// port roles have passed through their rules as the operator's picks would.
// The clock fields hold whole numbers and Uploadpctime is random.
DeviceSettings RandomValidSettings(std::mt19937& rng, RandomTexts texts = {});

}  // namespace tarnvik::test
