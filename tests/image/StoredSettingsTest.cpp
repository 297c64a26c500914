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
}

// A callsign and its SSID share a field; each is compared alone, whatever the
// other half of the field holds on either side.
TEST(StoredSettings, EachHalfOfAnAddressComparesAlone) {
  struct Case {
    const char* prefix;  // the pair: <prefix>_string and <prefix>_ssid
    const char* callA;
    const char* ssidA;
    const char* callB;
    const char* ssidB;
    bool sameCall;
    bool sameSsid;
  };
  const Case cases[] = {
      // A refused SSID leaves its callsign compared as stored, and the reverse.
      {"Beacon1_dest", "apqx03", "x", "APQX03", "0", true, false},
      {"Beacon2_dest", "abc", "x", "ABC", "1", true, false},
      {"Beacon2_dest", "abc", "x", "abd", "1", false, false},
      {"Beacon4_path", "wide2", "16", "WIDE2", "2", true, false},
      {"Weather_dest", "TOOLONGX", "05", "TOOLONGX", "5", true, true},
      {"Beacon5_dest", "", "05", "", "5", true, true},  // an empty destination is refused, its SSID is not
      // The SSID of a path that holds no callsign is never compared.
      {"Beacon3_path", "WIDE2", "2", "", "2", false, true},
      {"Beacon3_path", "WIDE2", "2", "", "5", false, true},
      {"Beacon3_path", "", "x", "WIDE2", "2", false, true},
      {"Weather_path", "  ", "3", "WIDE2", "2", false, true},  // blanks read back as no callsign
      {"Beacon6_path", "  ", "3", "", "4", true, true},
      {"Beacon6_path", "W", "3", "w", "4", true, false},
  };
  for (const Case& c : cases) {
    const auto record = [&c](const char* call, const char* ssid) {
      return [=](DeviceSettings& s) {
        s.setText(std::string(c.prefix) + "_string", call);
        s.setText(std::string(c.prefix) + "_ssid", ssid);
      };
    };
    const std::string label = std::string(c.prefix) + " " + c.callA + "-" + c.ssidA + " / " + c.callB + "-" + c.ssidB;
    EXPECT_EQ(Same(std::string(c.prefix) + "_string", record(c.callA, c.ssidA), record(c.callB, c.ssidB)), c.sameCall)
        << label;
    EXPECT_EQ(Same(std::string(c.prefix) + "_ssid", record(c.callA, c.ssidA), record(c.callB, c.ssidB)), c.sameSsid)
        << label;
  }
  // The station's own address and the filter entries alike.
  EXPECT_TRUE(Same(
      "Callsign",
      [](DeviceSettings& s) {
        s.setText("Callsign", "oh2x");
        s.setText("Ssid", "x");
      },
      Text("Callsign", "OH2X")));
  EXPECT_TRUE(Same(
      "Ssid",
      [](DeviceSettings& s) {
        s.setText("Callsign", "");
        s.setText("Ssid", "04");
      },
      Text("Ssid", "4")));
  EXPECT_TRUE(Same(
      "Callfilter_callsign3",
      [](DeviceSettings& s) {
        s.setText("Callfilter_callsign3", "oh2x");
        s.setText("Callfilter_ssid3", "99");
      },
      Text("Callfilter_callsign3", "OH2X")));
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
  EXPECT_TRUE(stored.kept(DeviceSettings::indexOf("Beacon2_path_ssid")));
  s.setText("Beacon2_path_string", "");
  EXPECT_FALSE(StoredSettings(s).kept(DeviceSettings::indexOf("Beacon2_path_ssid")));
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
