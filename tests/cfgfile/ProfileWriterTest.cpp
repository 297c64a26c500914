#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "FileTestSupport.h"
#include "cfgfile/IniText.h"
#include "cfgfile/ProfileWriter.h"
#include "core/OperationError.h"

namespace tarnvik::ini {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

// Hand-edited lines, other sections, a second section of the same name,
// mixed line ends and a last line without one: the writes touch only their
// own lines and add the rest where the classic profile function would.
TEST(ProfileWriter, MergesIntoAnExistingFileKeepingEveryOtherLine) {
  TempFolder dir;
  WriteAll(dir.path("p.ini"),
           "; made by hand\n"
           "[radio]\n"
           "  callsign = 'OLD'  \n"
           "Junk line\n"
           "\n"
           "[Other]\r\n"
           "Callsign=other section\r\n"
           "[RADIO]\r\n"
           "Callsign=second radio\r\n"
           "[Beacons]\r"
           "Beacon1_msg=a=b");
  ProfileWriter writer;
  writer.write("Radio", "Callsign", "NEW");
  writer.write("Radio", "SSID", "7");
  writer.write("Beacons", "Beacon1_msg", "x");
  writer.write("Beacons", "Beacon2_msg", " y ");
  writer.write("Weather", "Weather_comment", "line\r\nbreak");
  writer.write("RADIO", "CALLSIGN", "NEWER");
  writer.commit(dir.path("p.ini"));
  EXPECT_EQ(ReadAll(dir.path("p.ini")),
            "; made by hand\n"
            "[radio]\n"
            "callsign=NEWER\r\n"
            "Junk line\n"
            "SSID=7\r\n"
            "\n"
            "[Other]\r\n"
            "Callsign=other section\r\n"
            "[RADIO]\r\n"
            "Callsign=second radio\r\n"
            "[Beacons]\r"
            "Beacon1_msg=x\r\n"
            "Beacon2_msg= y \r\n"
            "[Weather]\r\n"
            "Weather_comment=line  break\r\n");
}

TEST(ProfileWriter, AppendsAfterALastLineWithoutLineEndAndCreatesNothingForNoWrites) {
  TempFolder dir;
  WriteAll(dir.path("p.ini"), "[A]\r\nk=1\r\n\r\n[B]\r\nz=9");
  ProfileWriter writer;
  writer.write("A", "j", "2");
  writer.write("C", "c", "3");
  writer.commit(dir.path("p.ini"));
  EXPECT_EQ(ReadAll(dir.path("p.ini")), "[A]\r\nk=1\r\nj=2\r\n\r\n[B]\r\nz=9\r\n[C]\r\nc=3\r\n");

  ProfileWriter().commit(dir.path("new.ini"));
  EXPECT_FALSE(std::filesystem::exists(dir.path("new.ini")));
  EXPECT_THROW(writer.write("A", "k=", "v"), std::logic_error);
  EXPECT_THROW(writer.write(" A", "k", "v"), std::logic_error);
}

// Nothing after a NUL byte would ever be read, so nothing after one is written.
TEST(ProfileWriter, ValuesEndAtTheirFirstNulByte) {
  TempFolder dir;
  WriteAll(dir.path("p.ini"), std::string("[Radio]\r\nCallsign=OLD\0tail\r\n", 28));
  ProfileWriter writer;
  writer.write("Radio", "Callsign", std::string("NEW\0tail", 8));
  writer.write("Radio", "SSID", std::string("\0", 1));
  writer.commit(dir.path("p.ini"));
  EXPECT_EQ(ReadAll(dir.path("p.ini")), "[Radio]\r\nCallsign=NEW\r\nSSID=\r\n");
  EXPECT_THROW(writer.write(std::string("A\0", 2), "k", "v"), std::logic_error);
  EXPECT_THROW(writer.write("A", std::string("k\0", 2), "v"), std::logic_error);
}

// Many writes over few names that differ only in case or in where the
// section ends and the key begins ("ab"/"c" against "a"/"bc"): each key keeps
// its first place and spelling and takes its last value, as writing the keys
// one by one does.
TEST(ProfileWriter, EachKeyKeepsItsFirstPlaceAndTakesItsLastValueOverManyWrites) {
  std::mt19937 random(7);
  const std::vector<std::string> names = {"a", "A", "ab", "AB", "aB", "b", "bc", "BC", "c", "abc"};
  std::vector<ProfileEntry> expected;  // one key after another, the classic way
  ProfileWriter writer;
  for (int i = 0; i < 2000; ++i) {
    const std::string& section = names[random() % names.size()];
    const std::string& key = names[random() % names.size()];
    const std::string value = std::to_string(i);
    writer.write(section, key, value);
    const auto same = std::find_if(expected.begin(), expected.end(), [&](const ProfileEntry& e) {
      return EqualNoCase(e.section, section) && EqualNoCase(e.key, key);
    });
    if (same == expected.end())
      expected.push_back({section, key, value});
    else
      same->value = value;
  }
  ASSERT_EQ(writer.entries().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(writer.entries()[i].section, expected[i].section) << i;
    EXPECT_EQ(writer.entries()[i].key, expected[i].key) << i;
    EXPECT_EQ(writer.entries()[i].value, expected[i].value) << i;
  }
}

// The text a merge makes in memory is what a commit leaves in the file.
TEST(ProfileWriter, MergesInMemoryAsIntoAFile) {
  TempFolder dir;
  ProfileWriter writer;
  writer.write("Radio", "Callsign", "NEW");
  writer.write("radio", "Ssid", "4");
  writer.write("Other", "k", "v");
  for (const std::string existing : {"", "[RADIO]\nCALLSIGN = old\n\n[x]\r\ny=1", "\r\r[Radio]\rSsid", "junk"}) {
    WriteAll(dir.path("p.ini"), existing);
    writer.commit(dir.path("p.ini"));
    EXPECT_EQ(writer.mergedText(existing), ReadAll(dir.path("p.ini"))) << existing;
  }
  EXPECT_EQ(writer.mergedText(""), writer.newFileText());
}

}  // namespace
}  // namespace tarnvik::ini
