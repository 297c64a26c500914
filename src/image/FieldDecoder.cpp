#include "image/FieldDecoder.h"

#include <cstdint>

#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

constexpr std::size_t kSsidAt = layout::kCallsignChars;

// Destination, path and filter SSIDs read the byte as signed: 48 to 63 give
// 0 to 15, a zero byte gives -48.
std::string SignedSsid(std::uint8_t byte) {
  return std::to_string(static_cast<int>(static_cast<std::int8_t>(byte)) - kSsidZero);
}

// The station's SSID reads the byte as unsigned: a zero byte gives 208.
std::string UnsignedSsid(std::uint8_t byte) { return std::to_string(static_cast<std::uint8_t>(byte - kSsidZero)); }

}  // namespace

void FieldDecoder::decode(const ImageField& field) {
  switch (field.kind) {
    case FieldKind::StationAddress: return stationAddress(field);
    case FieldKind::Number: return number(field);
    case FieldKind::Choice: return choice(field);
    case FieldKind::Flag: return flag(field);
    case FieldKind::Text:
    case FieldKind::Position: return text(field);
    case FieldKind::Address: return address(field);
    case FieldKind::FilterEntry: return filterEntry(field);
  }
}

// The station callsign keeps its padding spaces.
void FieldDecoder::stationAddress(const ImageField& field) {
  const auto in = bytes(field);
  settings_.setText(field.setting, GetText(in.first(layout::kCallsignChars)));
  settings_.setText(field.ssidSetting, UnsignedSsid(in[kSsidAt]));
}

void FieldDecoder::number(const ImageField& field) {
  settings_.setText(field.setting, std::to_string(GetUnsigned(bytes(field))));
}

// An index beyond the list, 255 included, leaves no entry selected.
void FieldDecoder::choice(const ImageField& field) {
  const std::uint32_t index = GetUnsigned(bytes(field));
  const std::size_t count = DeviceSettings::definition(field.setting).choices->size();
  settings_.setChoice(field.setting, index < count ? static_cast<int>(index) : -1);
}

void FieldDecoder::flag(const ImageField& field) { settings_.setFlag(field.setting, bytes(field)[0] != 0); }

void FieldDecoder::text(const ImageField& field) { settings_.setText(field.setting, GetText(bytes(field))); }

void FieldDecoder::address(const ImageField& field) {
  const auto in = bytes(field);
  settings_.setText(field.setting, GetTrimmedSlot(in.first(layout::kCallsignChars)));
  settings_.setText(field.ssidSetting, SignedSsid(in[kSsidAt]));
}

void FieldDecoder::filterEntry(const ImageField& field) {
  const auto in = bytes(field);
  settings_.setText(field.setting, GetTrimmedSlot(in.first(layout::kCallsignChars)));
  settings_.setText(field.ssidSetting, in[kSsidAt] == kWildcardSsid ? "*" : SignedSsid(in[kSsidAt]));
}

}  // namespace tarnvik
