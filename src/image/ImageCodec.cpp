#include "image/ImageCodec.h"

#include <algorithm>
#include <stdexcept>

namespace tarnvik {

namespace {

void RequireInside(FieldPos pos) {
  if (pos.end() > ConfigImage::kSize) throw std::logic_error("field beyond the configuration image");
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::span<std::uint8_t> FieldBytes(ConfigImage& image, FieldPos pos) {
  RequireInside(pos);
  return std::span<std::uint8_t>(image.bytes).subspan(pos.offset, pos.size);
}

std::span<const std::uint8_t> FieldBytes(const ConfigImage& image, FieldPos pos) {
  RequireInside(pos);
  return std::span<const std::uint8_t>(image.bytes).subspan(pos.offset, pos.size);
}

void PutUnsigned(std::span<std::uint8_t> field, std::uint32_t value) {
  for (std::uint8_t& byte : field) {
    byte = static_cast<std::uint8_t>(value & 0xFFu);
    value >>= 8;
  }
}

std::uint32_t GetUnsigned(std::span<const std::uint8_t> field) {
  std::uint32_t value = 0;
  for (auto byte = field.rbegin(); byte != field.rend(); ++byte) value = (value << 8) | *byte;
  return value;
}

void PutText(std::span<std::uint8_t> field, std::string_view text) {
  if (text.size() >= field.size()) throw std::logic_error("text longer than its image field");
  std::fill(field.begin(), field.end(), std::uint8_t{0});
  std::copy(text.begin(), text.end(), field.begin());
}

std::string GetText(std::span<const std::uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

void PutCallsignSlot(std::span<std::uint8_t> slot, std::string_view text) {
  if (text.size() > slot.size()) throw std::logic_error("callsign longer than its slot");
  std::fill(slot.begin(), slot.end(), std::uint8_t{' '});
  std::transform(text.begin(), text.end(), slot.begin(), UpperAscii);
}

std::string GetTrimmedSlot(std::span<const std::uint8_t> slot) {
  auto end = slot.end();
  while (end != slot.begin() && *(end - 1) == ' ') --end;
  return GetText(slot.first(static_cast<std::size_t>(end - slot.begin())));
}

}  // namespace tarnvik
