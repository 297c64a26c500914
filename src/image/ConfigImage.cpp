#include "image/ConfigImage.h"

#include <numeric>
#include <stdexcept>
#include <string>

#include "image/ImageCodec.h"
#include "image/ImageLayout.h"

namespace tarnvik {

namespace {

std::size_t PageStart(std::size_t p) {
  if (p >= ConfigImage::kPageCount) throw std::out_of_range("no configuration page " + std::to_string(p));
  return p * ConfigImage::kPageSize;
}

}  // namespace

std::span<std::uint8_t, ConfigImage::kPageSize> ConfigImage::page(std::size_t p) {
  return std::span<std::uint8_t, kPageSize>(bytes.data() + PageStart(p), kPageSize);
}

std::span<const std::uint8_t, ConfigImage::kPageSize> ConfigImage::page(std::size_t p) const {
  return std::span<const std::uint8_t, kPageSize>(bytes.data() + PageStart(p), kPageSize);
}

void ConfigImage::clear() { bytes.fill(0); }

std::uint32_t ImageChecksum(const ConfigImage& image) {
  const auto first = image.bytes.begin() + layout::kChecksummedStart;
  const auto last = image.bytes.begin() + layout::kChecksummedEnd;
  return std::accumulate(first, last, std::uint32_t{0});
}

bool CheckImageChecksum(const ConfigImage& image) {
  return GetUnsigned(FieldBytes(image, layout::kImageChecksum)) == ImageChecksum(image);
}

}  // namespace tarnvik
