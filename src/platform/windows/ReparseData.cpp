#include "platform/windows/ReparseData.h"

#include <string_view>

namespace tarnvik::platform::windows {

namespace {

// The tags of the two kinds of link, and where each keeps its names: four
// 16-bit numbers at byte 8 (the substitute name's offset and length, the
// print name's offset and length, in bytes from the start of the names),
// a symbolic link's flags after them, then the names in UTF-16.
struct LinkKind {
  std::uint32_t tag;
  std::size_t namesAt;
};
constexpr LinkKind kLinkKinds[] = {
    {0xA000000C, 20},  // IO_REPARSE_TAG_SYMLINK
    {0xA0000003, 16},  // IO_REPARSE_TAG_MOUNT_POINT (a junction)
};

std::uint32_t Little(std::span<const std::uint8_t> data, std::size_t at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes; i-- > 0;) value = (value << 8) | data[at + i];
  return value;
}

// The name whose offset and length are at `field`; nothing past the data.
std::optional<std::u16string> Name(std::span<const std::uint8_t> data, std::size_t namesAt, std::size_t field) {
  const std::size_t from = namesAt + Little(data, field, 2), length = Little(data, field + 2, 2);
  if (length % 2 != 0 || from + length > data.size()) return std::nullopt;
  std::u16string name;
  for (std::size_t at = from; at < from + length; at += 2) name += static_cast<char16_t>(Little(data, at, 2));
  return name;
}

}  // namespace

std::optional<std::u16string> LinkTargetFromReparseData(std::span<const std::uint8_t> data) {
  if (data.size() < 8) return std::nullopt;
  for (const LinkKind& kind : kLinkKinds) {
    if (Little(data, 0, 4) != kind.tag || data.size() < kind.namesAt) continue;
    const std::optional<std::u16string> print = Name(data, kind.namesAt, 12);
    const std::optional<std::u16string> followed = Name(data, kind.namesAt, 8);
    if (!print || !followed) return std::nullopt;
    if (!print->empty()) return print;
    const std::u16string_view name = *followed;
    if (name.starts_with(u"\\??\\UNC\\")) return u"\\\\" + std::u16string(name.substr(8));
    if (name.starts_with(u"\\??\\")) return std::u16string(name.substr(4));
    return followed;
  }
  return std::nullopt;
}

}  // namespace tarnvik::platform::windows
