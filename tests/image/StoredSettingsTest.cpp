// Settings compared as the unit would store them, and the names of the
// image's bytes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/ImageParts.h"
#include "image/StoredSettings.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

using Edit = std::function<void(DeviceSettings&)>;

// Whether start-up settings edited one way and another hold the same for the
// unit in `setting`.
bool Same(const std::string& setting, const Edit& a, const Edit& b) {
  DeviceSettings first = test::FreshSettings(), second = test::FreshSettings();
  a(first);
  b(second);
  return StoredSettings(first).sameForUnit(StoredSettings(second), DeviceSettings::indexOf(setting));
}

Edit Text(const std::string& setting, const std::string& value) {
  return [=](DeviceSettings& s) { s.setText(setting, value); };
}

TEST(StoredSettings, WhatTheImageNormalisesComparesEqual) {
  EXPECT_TRUE(Same("Callsign", Text("Callsign", "oh2xyz"), Text("Callsign", "OH2XYZ")));
  EXPECT_TRUE(Same("Callsign", Text("Callsign", "OH2X "), Text("Callsign", "OH2X")));
  EXPECT_TRUE(Same("Beacon3_path_string", Text("Beacon3_path_string", "wide2"), Text("Beacon3_path_string", "WIDE2")));
  EXPECT_TRUE(Same("Txdelay", Text("Txdelay", "0250"), Text("Txdelay", "250")));
  EXPECT_TRUE(Same("Ssid", Text("Ssid", "+4"), Text("Ssid", "4")));
  EXPECT_TRUE(Same("Beacon1_txrate_rf", Text("Beacon1_txrate_rf", "65536"), Text("Beacon1_txrate_rf", "0")));
  EXPECT_TRUE(Same("Callfilter_ssid2", Text("Callfilter_ssid2", "07"), Text("Callfilter_ssid2", "7")));
  // The SSID of an empty path is not stored.
  const auto emptyPath = [](const std::string& ssid) {
    return [ssid](DeviceSettings& s) {
      s.setText("Weather_path_string", "");
      s.setText("Weather_path_ssid", ssid);
    };
  };
  EXPECT_TRUE(Same("Weather_path_ssid", emptyPath("3"), emptyPath("x")));
}

TEST(StoredSettings, WhatTheUnitStoresAsTypedOrDifferentlyIsReported) {
  EXPECT_FALSE(Same("Weather_path_ssid", Text("Weather_path_ssid", "3"), Text("Weather_path_ssid", "4")));
  EXPECT_FALSE(Same("Pathn1_name", Text("Pathn1_name", "wide"), Text("Pathn1_name", "WIDE")));
  EXPECT_FALSE(Same("Beacon1_msg", Text("Beacon1_msg", " hi"), Text("Beacon1_msg", "hi")));
  EXPECT_FALSE(Same("Callsign", Text("Callsign", " OH2X"), Text("Callsign", "OH2X")));
  EXPECT_FALSE(Same(
      "Ptt", [](DeviceSettings& s) { s.setChoice("Ptt", 1); }, [](DeviceSettings&) {}));
  EXPECT_FALSE(Same(
      "Uploadpctime", [](DeviceSettings& s) { s.setFlag("Uploadpctime", false); }, [](DeviceSettings&) {}));
}

TEST(StoredSettings, AValueWriteConfigRefusesComparesAsItStands) {
  EXPECT_FALSE(Same("Txdelay", Text("Txdelay", "100"), Text("Txdelay", "0100")));  // out of range
  EXPECT_TRUE(Same("Txdelay", Text("Txdelay", "100"), Text("Txdelay", "100")));
  EXPECT_FALSE(Same("Txdelay", Text("Txdelay", "abc"), Text("Txdelay", "250")));             // not a number
  EXPECT_FALSE(Same("Callsign", Text("Callsign", "oh2xyzw"), Text("Callsign", "OH2XYZW")));  // too long
  // One side refused: compared as typed, not as stored.
  const auto withSsid = [](const std::string& call, const std::string& ssid) {
    return [=](DeviceSettings& s) {
      s.setText("Beacon2_dest_string", call);
      s.setText("Beacon2_dest_ssid", ssid);
    };
  };
  EXPECT_TRUE(Same("Beacon2_dest_string", withSsid("abc", "x"), withSsid("abc", "1")));
  EXPECT_FALSE(Same("Beacon2_dest_string", withSsid("abc", "x"), withSsid("ABC", "1")));
}

TEST(StoredSettings, StoredFormsAreTheValuesReadBack) {
  DeviceSettings s = test::FreshSettings();
  s.setText("Callsign", "oh2x");
  s.setChoice("Ptt", 7);  // beyond the list: no entry
  const StoredSettings stored(s);
  EXPECT_EQ(stored.stored(DeviceSettings::indexOf("Callsign")), "OH2X  ");
  EXPECT_EQ(stored.value(DeviceSettings::indexOf("Callsign")), "oh2x");
  EXPECT_EQ(stored.stored(DeviceSettings::indexOf("Ptt")), "-1");
  EXPECT_EQ(stored.stored(DeviceSettings::indexOf("Pathn1_active")), "1");
  EXPECT_FALSE(stored.stored(DeviceSettings::indexOf("Uploadpctime")).has_value());
  EXPECT_FALSE(stored.stored(DeviceSettings::indexOf("Rtcyear")).has_value());
}

TEST(ImageParts, EveryByteIsNamedByTheSettingOrPartThatHoldsIt) {
  EXPECT_EQ(ImagePartAt(0), "(checksum)");
  EXPECT_EQ(ImagePartAt(5), "(write stamp)");
  EXPECT_EQ(ImagePartAt(13), "(version mark)");
  EXPECT_EQ(ImagePartAt(14), "Callsign");
  EXPECT_EQ(ImagePartAt(20), "Ssid");
  EXPECT_EQ(ImagePartAt(21), "Callsign");
  EXPECT_EQ(ImagePartAt(22), "(reserved)");
  EXPECT_EQ(ImagePartAt(151), "Beacon1_path_string");
  EXPECT_EQ(ImagePartAt(157), "Beacon1_path_ssid");
  EXPECT_EQ(ImagePartAt(176), "Beacon1_msg");
  EXPECT_EQ(ImagePartAt(903), "Callfilter_ssid1");
  EXPECT_EQ(ImagePartAt(1265), "Teledigital1_units");
  EXPECT_EQ(ImagePartAt(1395), "(end marker)");
  EXPECT_EQ(ImagePartAt(1396), "(reserved)");
  EXPECT_EQ(ImagePartAt(5000), "(reserved)");
  EXPECT_EQ(ImagePartsAt({176, 14, 177, 0, 15}), (std::vector<std::string>{"Beacon1_msg", "Callsign", "(checksum)"}));
}

}  // namespace
}  // namespace tarnvik
