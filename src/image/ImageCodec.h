#pragma once
// The encodings that the image's fields share: little-endian numbers, texts
// with a terminator, callsign slots and SSID characters. Every function works
// on the bytes of one field only, so nothing can spill into a neighbour.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "image/ConfigImage.h"
#include "image/ImageLayout.h"

namespace tarnvik {

// The bytes of one field. A field reaching beyond the image is a programming
// error (std::logic_error).
std::span<std::uint8_t> FieldBytes(ConfigImage& image, FieldPos pos);
std::span<const std::uint8_t> FieldBytes(const ConfigImage& image, FieldPos pos);

// u8, u16, u32: the low-order bytes of value, as many as the field has.
void PutUnsigned(std::span<std::uint8_t> field, std::uint32_t value);
std::uint32_t GetUnsigned(std::span<const std::uint8_t> field);

// Text, NUL, then zeros to the field's end. A text that leaves no room for
// its NUL is a programming error (std::logic_error): callers refuse it first.
void PutText(std::span<std::uint8_t> field, std::string_view text);
// The bytes up to the first zero, or up to the field's end without one.
std::string GetText(std::span<const std::uint8_t> field);

// Callsign slot: ASCII letters in upper case, padded with spaces to the
// slot's width, no terminator. A longer text is a std::logic_error.
void PutCallsignSlot(std::span<std::uint8_t> slot, std::string_view text);
// A slot read back without its trailing spaces. Settings hold no zero bytes,
// so the text also ends at a zero byte.
std::string GetTrimmedSlot(std::span<const std::uint8_t> slot);

// SSID 0 to 15 as the characters "0" to "?".
inline constexpr std::uint8_t kSsidZero = '0';
inline constexpr std::uint8_t kWildcardSsid = '*';
inline std::uint8_t SsidChar(int ssid) { return static_cast<std::uint8_t>(kSsidZero + ssid); }

}  // namespace tarnvik
