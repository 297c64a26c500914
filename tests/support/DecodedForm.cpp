#include "support/DecodedForm.h"

#include "image/ImageFields.h"
#include "image/ImageLayout.h"
#include "settings/NumberText.h"
#include "support/PortRules.h"

namespace tarnvik::test {

namespace {

// What a field of `size` bytes keeps of a number, in decimal.
std::string Stored(const std::string& text, std::size_t size) {
  const auto value = static_cast<std::uint32_t>(ParseDecimal(text).value_or(0));
  const std::uint32_t kept = size >= 4 ? value : value & ((std::uint32_t{1} << (8 * size)) - 1);
  return std::to_string(kept);
}

std::string Plain(const std::string& number) { return std::to_string(ParseDecimal(number).value_or(0)); }

std::string TrimmedRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void Address(DeviceSettings& s, const ImageField& field) {
  const std::string callsign = s.text(field.setting);
  s.setText(field.setting, TrimmedRight(UpperAscii(callsign)));
  const std::string& ssid = s.text(field.ssidSetting);
  const bool wildcard = field.kind == FieldKind::FilterEntry && ssid == "*";
  const bool unread = field.kind == FieldKind::Address && callsign.empty();
  s.setText(field.ssidSetting, wildcard ? ssid : unread ? "0" : Plain(ssid));
}

void Normalise(DeviceSettings& s, const ImageField& field) {
  switch (field.kind) {
    case FieldKind::StationAddress: {
      std::string callsign = UpperAscii(s.text(field.setting));
      if (callsign.size() < layout::kCallsignChars) callsign.resize(layout::kCallsignChars, ' ');
      s.setText(field.setting, callsign);
      s.setText(field.ssidSetting, Plain(s.text(field.ssidSetting)));
      break;
    }
    case FieldKind::Number: s.setText(field.setting, Stored(s.text(field.setting), field.pos.size)); break;
    case FieldKind::Address:
    case FieldKind::FilterEntry: Address(s, field); break;
    default: break;
  }
}

}  // namespace

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

DeviceSettings AsDecoded(const DeviceSettings& s) {
  DeviceSettings decoded = s;
  for (const ImageField& field : ImageFields())
    if (field.decoded) Normalise(decoded, field);
  RunPortRulesAsReaders(decoded);
  return decoded;
}

}  // namespace tarnvik::test
