#include <gtest/gtest.h>

#include <string>

#include "cfgfile/IniText.h"

namespace tarnvik::ini {
namespace {

// Names of every length around the eight-byte words the hash takes, with the
// bytes next to the capitals ('@', '[', '`', '{') and 8-bit letters, which
// have no other case: spellings that compare equal hash alike, and a change
// of any one byte to a byte of another meaning changes the hash.
TEST(NoCaseHash, AgreesWithEqualNoCaseAtEveryLengthAndPosition) {
  const std::string pattern = "Ab@Z[z`{\xC1\xE1y0_Mn";
  const NoCaseHash hash;
  for (std::size_t length = 0; length <= 2 * pattern.size(); ++length) {
    std::string name;
    for (std::size_t i = 0; i < length; ++i) name += pattern[(i * 5) % pattern.size()];
    EXPECT_EQ(hash(name), hash(LowerAscii(name))) << name;
    std::string upper = name;
    for (char& c : upper)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    ASSERT_TRUE(EqualNoCase(name, upper));
    EXPECT_EQ(hash(name), hash(upper)) << name;
    for (std::size_t at = 0; at < length; ++at) {
      for (const char other : {'@', '`', '[', '{', '\xC1', '\xE1', '\0'}) {
        std::string changed = name;
        changed[at] = other;
        if (!EqualNoCase(changed, name)) {
          EXPECT_NE(hash(changed), hash(name)) << name << " at " << at;
        }
      }
    }
    EXPECT_NE(hash(name), hash(name + '\0')) << name;  // the length counts
  }
}

}  // namespace
}  // namespace tarnvik::ini
