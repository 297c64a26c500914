#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cfgfile/ProfileEntryIndex.h"

namespace tarnvik::ini {
namespace {

// Enough entries that the table grows several times over.
std::vector<ProfileEntry> ManyEntries() {
  std::vector<ProfileEntry> entries;
  for (int s = 0; s < 6; ++s)
    for (int k = 0; k < 60; ++k) entries.push_back({"Sect" + std::to_string(s), "Key" + std::to_string(k), ""});
  return entries;
}

std::size_t Find(const ProfileEntryIndex& index, const std::vector<ProfileEntry>& entries, const std::string& section,
                 const std::string& key) {
  return index.find(entries, ProfileEntryIndex::KeyHash(ProfileEntryIndex::SectionHash(section), key), section, key);
}

TEST(ProfileEntryIndex, FindsEachEntryByAnySpellingAndNothingElse) {
  const std::vector<ProfileEntry> entries = ManyEntries();
  ProfileEntryIndex index;
  EXPECT_EQ(Find(index, entries, "Sect0", "Key0"), ProfileEntryIndex::kNone);
  for (std::size_t i = 0; i < entries.size(); ++i)
    index.add(ProfileEntryIndex::KeyHash(ProfileEntryIndex::SectionHash(entries[i].section), entries[i].key), i);
  const struct {
    std::string section, key;
    std::size_t entry;
  } cases[] = {
      {"Sect0", "Key0", 0},
      {"SECT0", "kEY0", 0},
      {"sect5", "key59", 359},
      {"Sect1", "Key7", 67},
      {"Sect2", "Key7", 127},
      {"Sect6", "Key0", ProfileEntryIndex::kNone},
      {"Sect0", "Key60", ProfileEntryIndex::kNone},
      {"Sect0", "Key0 ", ProfileEntryIndex::kNone},
      {"Sect", "0Key0", ProfileEntryIndex::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(Find(index, entries, c.section, c.key), c.entry) << c.section << " " << c.key;
}

}  // namespace
}  // namespace tarnvik::ini
