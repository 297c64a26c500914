#include "image/ImageParts.h"

#include <algorithm>

#include "image/ImageFields.h"
#include "image/ImageLayout.h"

namespace tarnvik {

namespace {

struct NamedPart {
  FieldPos pos;
  const char* name;
};

constexpr NamedPart kOwnParts[] = {
    {layout::kImageChecksum, "(checksum)"},
    {layout::kWriteStamp, "(write stamp)"},
    {layout::kConfigVersion, "(version mark)"},
    {layout::kEndMarker, "(end marker)"},
};

bool Holds(FieldPos pos, std::size_t offset) { return offset >= pos.offset && offset < pos.end(); }

// Addresses keep the SSID character right after the six callsign bytes.
const std::string& SettingOfByte(const ImageField& field, std::size_t offset) {
  const bool ssidByte = !field.ssidSetting.empty() && offset == field.pos.offset + layout::kCallsignChars;
  return ssidByte ? field.ssidSetting : field.setting;
}

}  // namespace

std::string ImagePartAt(std::size_t offset) {
  for (const NamedPart& part : kOwnParts)
    if (Holds(part.pos, offset)) return part.name;
  for (const ImageField& field : ImageFields())
    if (Holds(field.pos, offset)) return SettingOfByte(field, offset);
  return "(reserved)";
}

std::vector<std::string> ImagePartsAt(const std::vector<std::size_t>& offsets) {
  std::vector<std::string> names;
  for (std::size_t offset : offsets) {
    std::string name = ImagePartAt(offset);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace tarnvik
