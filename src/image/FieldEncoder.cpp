#include "image/FieldEncoder.h"

#include <algorithm>

#include "settings/DeviceSettings.h"
#include "settings/NumberText.h"

namespace tarnvik {

namespace {

constexpr std::int32_t kMaxSsid = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The unit sends beacon messages and the weather comment on air: printable
// ASCII only, 32 (space) to 126 ("~").
bool AllPrintable(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 32 && byte <= 126;
  });
}

// Degrees and minutes as digits, a point, two digits of hundredths, then the
// hemisphere: "5221.60N", "01653.63E".
bool MatchesPosition(const std::string& text, std::size_t digits, const std::string& hemispheres) {
  if (text.size() != digits + 4) return false;
  const bool whole = std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(digits), IsDigit);
  return whole && text[digits] == '.' && IsDigit(text[digits + 1]) && IsDigit(text[digits + 2]) &&
         hemispheres.find(text[digits + 3]) != std::string::npos;
}

// What a u8, u16 or u32 field keeps of the converted number.
std::uint32_t StoredValue(std::int32_t value, std::size_t size) {
  const auto all = static_cast<std::uint32_t>(value);
  return size >= 4 ? all : all & ((std::uint32_t{1} << (8 * size)) - 1);
}

bool InRange(std::int64_t value, const ImageField& field) { return value >= field.low && value <= field.high; }

// SSIDs of destinations, paths and filter entries: a text that does not
// convert is refused like one out of range.
std::optional<std::uint8_t> GuardedSsid(const std::string& text) {
  const auto value = ParseDecimal(text);
  if (!value || *value < 0 || *value > kMaxSsid) return std::nullopt;
  return SsidChar(*value);
}

void PutAddress(std::span<std::uint8_t> field, const std::string& callsign, std::uint8_t ssid) {
  PutCallsignSlot(field.first(layout::kCallsignChars), callsign);
  field[layout::kCallsignChars] = ssid;
}

}  // namespace

std::optional<std::string> FieldEncoder::encode(const ImageField& field) {
  switch (field.kind) {
    case FieldKind::StationAddress: return stationAddress(field);
    case FieldKind::Number: return number(field);
    case FieldKind::Choice: return choice(field);
    case FieldKind::Flag: return flag(field);
    case FieldKind::Text: return text(field);
    case FieldKind::Position: return position(field);
    case FieldKind::Address: return address(field);
    case FieldKind::FilterEntry: return filterEntry(field);
  }
  return std::nullopt;
}

const std::string& FieldEncoder::textOf(const std::string& setting) const { return settings_.text(setting); }

std::int32_t FieldEncoder::convert(const std::string& setting) {
  last_ = &setting;
  return ConvertDecimal(textOf(setting));
}

FieldEncoder::Refusal FieldEncoder::refuse(const std::string& message, const std::string& setting) {
  last_ = &setting;
  return message;
}

// The station's own SSID is converted without a guard: a text that is not a
// number ends the write with the conversion error.
FieldEncoder::Refusal FieldEncoder::stationAddress(const ImageField& field) {
  const std::string& callsign = textOf(field.setting);
  if (callsign.empty()) return refuse(field.tooShort, field.setting);
  const std::int32_t ssid = convert(field.ssidSetting);
  if (ssid < 0 || ssid > kMaxSsid) return refuse(field.ssidFailure, field.ssidSetting);
  if (callsign.size() > field.maxChars) return refuse(field.tooLong, field.setting);
  const auto out = bytes(field);
  PutAddress(out.first(layout::kCallsignChars + 1), callsign, SsidChar(ssid));
  out[layout::kCallsignChars + 1] = 0;
  return std::nullopt;
}

// Ranges are checked on what the field keeps, so -1 in a u32 is far too big
// and 257 in a u8 is 1; only the delay of the first telemetry packet is
// checked before it is cut to its byte.
FieldEncoder::Refusal FieldEncoder::number(const ImageField& field) {
  const std::int32_t value = convert(field.setting);
  if (field.check == NumberCheck::Converted && !InRange(value, field)) return refuse(field.failure, field.setting);
  const std::uint32_t stored = StoredValue(value, field.pos.size);
  PutUnsigned(bytes(field), stored);
  const bool off = field.check == NumberCheck::TxRate && stored == 0;
  const bool checked = field.check == NumberCheck::Stored || field.check == NumberCheck::TxRate;
  if (checked && !off && !InRange(stored, field)) return refuse(field.failure, field.setting);
  return std::nullopt;
}

// No selection (-1) is all ones: 255, or 4294967295 in a u32.
FieldEncoder::Refusal FieldEncoder::choice(const ImageField& field) {
  PutUnsigned(bytes(field), static_cast<std::uint32_t>(settings_.choice(field.setting)));
  return std::nullopt;
}

FieldEncoder::Refusal FieldEncoder::flag(const ImageField& field) {
  PutUnsigned(bytes(field), settings_.flag(field.setting) ? 1 : 0);
  return std::nullopt;
}

// The text goes in before its characters are checked.
FieldEncoder::Refusal FieldEncoder::text(const ImageField& field) {
  const std::string& value = textOf(field.setting);
  if (value.size() > field.maxChars) return refuse(field.tooLong, field.setting);
  PutText(bytes(field), value);
  if (field.printableOnly && !AllPrintable(value)) return refuse(field.failure, field.setting);
  return std::nullopt;
}

FieldEncoder::Refusal FieldEncoder::position(const ImageField& field) {
  const std::string& value = textOf(field.setting);
  if (!MatchesPosition(value, field.positionDigits, field.hemispheres)) return refuse(field.failure, field.setting);
  PutText(bytes(field), value);
  return std::nullopt;
}

// A path may be empty: its SSID text is then not read and "0" is stored.
FieldEncoder::Refusal FieldEncoder::address(const ImageField& field) {
  const std::string& callsign = textOf(field.setting);
  if (field.destination && callsign.empty()) return refuse(field.tooShort, field.setting);
  std::uint8_t ssid = kSsidZero;
  if (!callsign.empty()) {
    const auto guarded = GuardedSsid(textOf(field.ssidSetting));
    if (!guarded) return refuse(field.ssidFailure, field.ssidSetting);
    ssid = *guarded;
  }
  if (callsign.size() > field.maxChars) return refuse(field.tooLong, field.setting);
  PutAddress(bytes(field), callsign, ssid);
  return std::nullopt;
}

// "*" alone is the wildcard for any SSID; an empty callsign is stored as
// spaces like any other.
FieldEncoder::Refusal FieldEncoder::filterEntry(const ImageField& field) {
  const std::string& ssidText = textOf(field.ssidSetting);
  std::uint8_t ssid = kWildcardSsid;
  if (ssidText != "*") {
    const auto guarded = GuardedSsid(ssidText);
    if (!guarded) return refuse(field.ssidFailure, field.ssidSetting);
    ssid = *guarded;
  }
  const std::string& callsign = textOf(field.setting);
  if (callsign.size() > field.maxChars) return refuse(field.tooLong, field.setting);
  PutAddress(bytes(field), callsign, ssid);
  return std::nullopt;
}

}  // namespace tarnvik
