// Windows' links read from the reparse data the file system keeps for them,
// as pure code on bytes: symbolic links (absolute and relative), junctions,
// other reparse points and data cut short.
#include <gtest/gtest.h>

#include <vector>

#include "platform/windows/ReparseData.h"

namespace tarnvik::platform::windows {
namespace {

void Put(std::vector<std::uint8_t>& data, std::uint32_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Reparse data as the system lays it out: the substitute name first, then
// the print name; a symbolic link has a flags field before them.
std::vector<std::uint8_t> Data(std::uint32_t tag, std::u16string followed, std::u16string print) {
  const bool symbolic = tag == 0xA000000C;
  std::vector<std::uint8_t> data;
  Put(data, tag, 4);
  Put(data, 0, 4);  // the data's length and a reserved field: not read
  Put(data, 0, 2);
  Put(data, static_cast<std::uint32_t>(followed.size() * 2), 2);
  Put(data, static_cast<std::uint32_t>(followed.size() * 2), 2);
  Put(data, static_cast<std::uint32_t>(print.size() * 2), 2);
  if (symbolic) Put(data, 0, 4);
  for (const char16_t unit : followed + print) Put(data, unit, 2);
  return data;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> data, std::size_t bytes) {
  data.resize(data.size() - bytes);
  return data;
}

constexpr std::uint32_t kSymbolic = 0xA000000C;
constexpr std::uint32_t kJunction = 0xA0000003;

TEST(ReparseData, LinksLeadWhereTheyShowAndOtherReparsePointsAreNoLinks) {
  const struct {
    const char* what;
    std::vector<std::uint8_t> data;
    std::optional<std::u16string> target;
  } cases[] = {
      {"symbolic link", Data(kSymbolic, u"\\??\\C:\\Users\\op\\unit.cfg", u"C:\\Users\\op\\unit.cfg"),
       u"C:\\Users\\op\\unit.cfg"},
      {"relative symbolic link",
       Data(kSymbolic, u"..\\k\u00E4ytt\u00E4j\u00E4.cfg", u"..\\k\u00E4ytt\u00E4j\u00E4.cfg"),
       u"..\\k\u00E4ytt\u00E4j\u00E4.cfg"},
      {"junction", Data(kJunction, u"\\??\\D:\\Configs", u"D:\\Configs"), u"D:\\Configs"},
      {"no print name", Data(kSymbolic, u"\\??\\C:\\unit.cfg", u""), u"C:\\unit.cfg"},
      {"no print name, network", Data(kSymbolic, u"\\??\\UNC\\server\\share\\u.cfg", u""), u"\\\\server\\share\\u.cfg"},
      {"a cloud storage placeholder", Data(0x9000601A, u"x", u"x"), std::nullopt},
      {"cut short", Cut(Data(kSymbolic, u"\\??\\C:\\a", u"C:\\a"), 4), std::nullopt},
      {"no names at all", std::vector<std::uint8_t>{0x0C, 0x00, 0x00, 0xA0, 0, 0, 0, 0, 0, 0}, std::nullopt},
      {"nothing", {}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(LinkTargetFromReparseData(c.data), c.target) << c.what;
}

}  // namespace
}  // namespace tarnvik::platform::windows
