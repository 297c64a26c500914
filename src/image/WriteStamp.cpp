#include "image/WriteStamp.h"

#include <ctime>

namespace tarnvik {

StampSource WriteStampFrom(std::uint32_t seed) {
  return [state = seed]() mutable {
    state = state * 1103515245u + 12345u;
    const std::uint32_t drawn = (state / 65536u) % 32768u;
    return static_cast<std::uint16_t>(drawn % 10000u);
  };
}

StampSource SeededWriteStamp() { return WriteStampFrom(static_cast<std::uint32_t>(std::time(nullptr))); }

}  // namespace tarnvik
