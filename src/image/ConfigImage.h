#pragma once
// The byte-exact picture of the unit's 2048-byte configuration memory. The
// unit transfers it in 64 pages of 32 bytes; page p holds bytes 32p to 32p+31.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarnvik {

class ConfigImage {
 public:
  static constexpr std::size_t kSize = 2048, kPageSize = 32, kPageCount = 64;

  std::array<std::uint8_t, kSize> bytes{};

  // Page p (0 to 63); any other p throws std::out_of_range.
  std::span<std::uint8_t, kPageSize> page(std::size_t p);
  std::span<const std::uint8_t, kPageSize> page(std::size_t p) const;

  // All 2048 bytes zero.
  void clear();
};

// The main window keeps one image to send and one to receive into.
struct ConfigImages {
  ConfigImage WriteImage;
  ConfigImage ReadImage;
};

// The 32-bit sum of bytes 4 to 1395, each taken as 0 to 255. The largest
// possible sum (354960) cannot wrap.
std::uint32_t ImageChecksum(const ConfigImage& image);

// True when the u32 at offset 0 equals ImageChecksum(image). An all-zero image
// passes.
bool CheckImageChecksum(const ConfigImage& image);

}  // namespace tarnvik
