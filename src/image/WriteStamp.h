#pragma once
// The write stamp: a number from 0 to 9999 that every encoding of the image
// draws anew, so that two writes of the same settings differ.

#include <cstdint>
#include <functional>

namespace tarnvik {

using StampSource = std::function<std::uint16_t()>;  // 0..9999

// The classic 15-bit linear congruential generator (0 to 32767) started from
// seed; each call draws the next number and keeps its remainder mod 10000.
StampSource WriteStampFrom(std::uint32_t seed);

// The same, seeded with the current calendar time in seconds.
StampSource SeededWriteStamp();

}  // namespace tarnvik
