// Compare with the unit and with a file or image: the lines the window lists,
// what counts as a difference, and that nothing changes on either side.
#include <gtest/gtest.h>

#include "cfgfile/ConfigFileOps.h"
#include "image/ImageTestSupport.h"
#include "safeguard/Comparison.h"
#include "safeguard/SettingDifferences.h"
#include "safeguard/UnitBench.h"

namespace tarnvik {
namespace {

using test::Backend;
using test::UnitBench;

// The window's settings with these changes.
DeviceSettings With(const std::vector<std::pair<const char*, const char*>>& texts, int ptt = 0) {
  DeviceSettings settings = test::FreshSettings();
  for (const auto& [name, value] : texts) settings.setText(name, value);
  settings.setChoice("Ptt", ptt);
  return settings;
}

struct UnitCase {
  const char* name;
  DeviceSettings onUnit;
  std::vector<std::string> lines;
};

TEST(CompareWithUnit, ListsWhatTheUnitHoldsDifferentlyAndChangesNothing) {
  const UnitCase cases[] = {
      {"Same", With({}), {}},
      {"StoredAlike", With({{"Txdelay", "0250"}, {"Callsign", "nocall"}}), {}},
      {"Several",
       With({{"Callsign", "OH2XYZ"}, {"Ssid", "4"}, {"Beacon1_msg", "Hello"}}, 1),
       {"Callsign: \"NOCALL\" -> \"OH2XYZ\"", "Ssid: \"0\" -> \"4\"",
        "Ptt: 0 \"separate output\" -> 1 \"2k2 resistor\"",
        "Beacon1_msg: \"@<date>z<lat>/<long>-Tarnvik U=<volt>V.\" -> \"Hello\""}},
  };
  for (const Backend backend : test::Backends()) {
    for (const UnitCase& c : cases) {
      SCOPED_TRACE(std::string(test::Name(backend)) + ": " + c.name);
      UnitBench bench(backend);
      const ConfigImage held = test::EncodeOrFail(c.onUnit);
      bench.unit->setMemory(held);
      const DeviceSettings window = With({});
      DeviceSettings copy = window;
      const Comparison comparison = CompareWithUnit(bench.access(), copy);
      EXPECT_TRUE(comparison.compared);
      EXPECT_EQ(comparison.lines, c.lines);
      EXPECT_EQ(bench.record.log.size(), 65u);  // the found line and 64 pages read
      EXPECT_EQ(bench.unit->memory().bytes, held.bytes);
      EXPECT_EQ(bench.unit->requestCount(), 64u);  // reads only
      EXPECT_TRUE(bench.record.boxes.empty());
    }
  }
}

TEST(CompareWithUnit, AnImageThatCannotBeShownIsNotCompared) {
  ConfigImage damaged = test::EncodeOrFail(With({}));
  damaged.bytes[700] ^= 0x10;
  ConfigImage other = test::EncodeOrFail(With({}));
  test::Put(other, 6, "v2.00");
  test::FixChecksum(other);
  const struct {
    ConfigImage image;
    std::string lastLine;
    std::vector<std::string> boxes;
  } cases[] = {
      {damaged, "Eeprom checksum error. Please reload configuration.", {}},
      {other, "Page read: 64/64", {"Uncompatible configuration version:\nDevice: v2.00\nConfigurator: v1.04"}},
  };
  for (const auto& c : cases) {
    UnitBench bench(Backend::Simulated);
    bench.unit->setMemory(c.image);
    const Comparison comparison = CompareWithUnit(bench.access(), With({}));
    EXPECT_FALSE(comparison.compared);
    EXPECT_EQ(bench.record.log.back(), c.lastLine);
    EXPECT_EQ(bench.record.boxTexts(), c.boxes);
  }
}

// Uploadpctime is kept by the window and by files, not by images.
TEST(CompareWithFile, FilesAndImagesByContent) {
  const test::TempFolder folder;
  DeviceSettings other = With({{"Callsign", "OH2XYZ"}});
  other.setFlag("Uploadpctime", false);
  SaveConfigFile(other, folder.path("other.cfg"));
  const ConfigImage image = test::EncodeOrFail(other);
  test::WriteAll(folder.path("other.img"), std::string(image.bytes.begin(), image.bytes.end()));
  const std::string callsign = "Callsign: \"NOCALL\" -> \"OH2XYZ\"";
  const struct {
    std::string file;
    bool compared;
    std::vector<std::string> lines;
    std::vector<std::string> boxes;
  } cases[] = {
      {folder.path("other.cfg"), true, {callsign, "Uploadpctime: 1 (checked) -> 0 (unchecked)"}, {}},
      {folder.path("other.img"), true, {callsign}, {}},
      {folder.path("missing.cfg"),
       false,
       {},
       {"Unable to read " + folder.path("missing.cfg") + ": No such file or directory."}},
      {folder.root(), false, {}, {"Unable to read " + folder.root() + ": Is a directory."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    test::RecordingOperator record;
    const Comparison comparison = CompareWithFile(With({}), c.file, record);
    EXPECT_EQ(comparison.compared, c.compared);
    EXPECT_EQ(comparison.lines, c.lines);
    EXPECT_EQ(record.boxTexts(), c.boxes);
  }
}

}  // namespace
}  // namespace tarnvik
