#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfgfile/ProfileKeys.h"
#include "cfgfile/ProfileReader.h"

namespace tarnvik::ini {
namespace {

TEST(ProfileKeys, NumbersEachWantedKeyOnceAndFindsItByAnySpelling) {
  std::vector<KeyName> names{{"Radio", "Callsign"}, {"radio", "CALLSIGN"}, {"Beacons", "Callsign"}};
  for (int k = 0; k < 300; ++k) names.push_back({"Many", "K" + std::to_string(k)});
  const ProfileKeys keys(names);
  EXPECT_EQ(keys.sectionCount(), 3u);
  EXPECT_EQ(keys.keyCount(), 302u);  // the second spelling of Radio's Callsign stands for the first
  const std::size_t radio = keys.section("RADIO"), beacons = keys.section("beacons"), many = keys.section("Many");
  const struct {
    std::size_t section;
    std::string key;
    std::size_t number;
  } cases[] = {
      {radio, "callsign", 0},
      {beacons, "Callsign", 1},
      {many, "k0", 2},
      {many, "K299", 301},
      {radio, "K0", ProfileKeys::kNone},
      {many, "Callsign", ProfileKeys::kNone},
      {many, "K300", ProfileKeys::kNone},
      {keys.section("Other"), "Callsign", ProfileKeys::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(keys.key(c.section, c.key), c.number) << c.key;

  // A reader hands out the same value by number as by name.
  const ProfileReader reader(ProfileText{"[radio]\ncallsign=AB1CD\n[Many]\nK299=9\n"}, keys);
  EXPECT_EQ(reader.valueAt(0), reader.value("Radio", "Callsign"));
  EXPECT_EQ(reader.valueAt(0), "AB1CD");
  EXPECT_EQ(reader.valueAt(301), "9");
  EXPECT_EQ(reader.valueAt(1), std::nullopt);
  EXPECT_THROW((void)reader.valueAt(302), std::out_of_range);
}

}  // namespace
}  // namespace tarnvik::ini
