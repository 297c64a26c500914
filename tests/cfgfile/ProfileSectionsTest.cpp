#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfgfile/ProfileEntryIndex.h"
#include "cfgfile/ProfileSections.h"

namespace tarnvik::ini {
namespace {

// Sections come back in any order and spelling: each keeps the number and
// the spelling of its first entry.
TEST(ProfileSections, NumbersSectionsByFirstEntryWhateverTheCase) {
  const struct {
    const char* section;
    std::size_t number;
  } entries[] = {{"Radio", 0},   {"Radio", 0}, {"radio", 0}, {"Beacons", 1}, {"RADIO", 0},
                 {"Beacons", 1}, {"Other", 2}, {"Radio", 0}, {"beacons", 1}};
  ProfileSections sections;
  for (const auto& e : entries) sections.addEntry(e.section);
  for (std::size_t i = 0; i < std::size(entries); ++i) EXPECT_EQ(sections.ofEntry(i), entries[i].number) << i;
  ASSERT_EQ(sections.size(), 3u);
  const std::vector<std::string> names = {"Radio", "Beacons", "Other"};
  for (std::size_t s = 0; s < names.size(); ++s) {
    EXPECT_EQ(sections.name(s), names[s]);
    EXPECT_EQ(sections.hash(s), ProfileEntryIndex::SectionHash(names[s]));
    EXPECT_EQ(sections.find(LowerAscii(names[s])), s);
  }
  EXPECT_EQ(sections.find("Weather"), ProfileSections::kNone);
}

}  // namespace
}  // namespace tarnvik::ini
