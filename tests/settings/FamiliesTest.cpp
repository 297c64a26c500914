#include <gtest/gtest.h>

#include "settings/DeviceSettings.h"
#include "settings/Families.h"

namespace tarnvik {
namespace {

using families::kFilterEntries;
using families::kPathRules;
using families::kSorbexOutputs;

TEST(Families, MembersAreNamedAsTheWindowNamesItsControls) {
  EXPECT_EQ(kPathRules.name(3, "_name"), "Pathn3_name");
  EXPECT_EQ(kFilterEntries.name(10, "callsign"), "Callfilter_callsign10");
  EXPECT_EQ(kSorbexOutputs.name(4, "output"), "Sorbex_output4");
}

// Each family's members carry the same parts, all of them settings, and no
// setting claims a member number beyond the family's count.
TEST(Families, EveryMemberHasEveryPartOfTheFirst) {
  for (const Family* family : families::kAll) {
    std::vector<std::string> parts;
    for (const SettingDefinition& d : SettingsTable())
      if (const auto member = family->split(d.name); member && member->first == 1) parts.push_back(member->second);
    ASSERT_FALSE(parts.empty()) << family->stem;
    for (int n : family->numbers())
      for (const std::string& part : parts) EXPECT_TRUE(DeviceSettings::has(family->name(n, part))) << n << part;
    EXPECT_FALSE(DeviceSettings::has(family->name(family->count + 1, parts.front())));
  }
}

TEST(Families, SplitFindsNumberAndPartOrNothing) {
  EXPECT_EQ(kPathRules.split("Pathn8_active"), (std::pair<int, std::string>{8, "_active"}));
  EXPECT_EQ(kFilterEntries.split("Callfilter_ssid10"), (std::pair<int, std::string>{10, "ssid"}));
  EXPECT_EQ(kFilterEntries.split("Callfilter_rule"), std::nullopt);
  EXPECT_EQ(kPathRules.split("Pathn9_name"), std::nullopt);  // beyond the family
  EXPECT_EQ(kPathRules.split("Pathn0_name"), std::nullopt);
  EXPECT_EQ(kPathRules.split("Pathn01_name"), std::nullopt);  // no leading zeros
  EXPECT_EQ(kSorbexOutputs.split("Sorbex_output1x"), std::nullopt);
  EXPECT_EQ(families::kBeacons.split("Callsign"), std::nullopt);
}

}  // namespace
}  // namespace tarnvik
