#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ImageTestSupport.h"
#include "image/DecodeImage.h"
#include "image/EncodeSettings.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using namespace std::string_literals;

// Every setting away from its start-up value, so that a setting the decoder
// forgets shows up.
void Scramble(DeviceSettings& s) {
  for (const SettingDefinition& setting : SettingsTable()) {
    if (setting.kind == SettingKind::Text) s.setText(setting.name, "scrambled");
    if (setting.kind == SettingKind::Choice) s.setChoice(setting.name, -1);
    if (setting.kind == SettingKind::Flag && setting.name != "Uploadpctime")
      s.setFlag(setting.name, !s.flag(setting.name));
  }
}

// Decodes image into start-up settings; the decoder must accept it.
DeviceSettings Decoded(ConfigImage image) {
  DeviceSettings s = test::FreshSettings();
  test::RecordingOperator op;
  EXPECT_TRUE(DecodeImage(image, s, op));
  EXPECT_TRUE(op.boxes.empty());
  EXPECT_TRUE(op.log.empty());
  return s;
}

DeviceSettings RoundTrip(const std::function<void(DeviceSettings&)>& edit) {
  DeviceSettings s = test::FreshSettings();
  edit(s);
  return Decoded(test::EncodeOrFail(s));
}

TEST(DecodeImage, DefaultsComeBackAndTheClockIsLeftAlone) {
  const DeviceSettings defaults = test::FreshSettings();
  ConfigImage image = test::EncodeOrFail(defaults);
  DeviceSettings s = test::FreshSettings();
  Scramble(s);
  test::RecordingOperator op;
  ASSERT_TRUE(DecodeImage(image, s, op));
  EXPECT_EQ(test::Differences(defaults, s), std::vector<std::string>{});
  EXPECT_EQ(s.text("Rtcyear"), "scrambled");
  EXPECT_TRUE(op.boxes.empty());
}

TEST(DecodeImage, AllZeroImageFailsTheVersionCheckAndChangesNothing) {
  ConfigImage image;
  DeviceSettings s = test::FreshSettings();
  s.setText("Callsign", "SP9ABC");
  const DeviceSettings before = s;
  test::RecordingOperator op;
  EXPECT_FALSE(DecodeImage(image, s, op));
  EXPECT_EQ(op.boxTexts(),
            std::vector<std::string>{"Uncompatible configuration version:\nDevice: \nConfigurator: v1.04"});
  EXPECT_EQ(op.boxes[0].caption, "Information");
  EXPECT_EQ(test::Differences(before, s, true), std::vector<std::string>{});
}

TEST(DecodeImage, ForeignVersionTextIsCutToSevenCharacters) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  test::Put(image, 6, "v1.03abc");
  DeviceSettings s = test::FreshSettings();
  test::RecordingOperator op;
  EXPECT_FALSE(DecodeImage(image, s, op));
  EXPECT_EQ(op.boxTexts(),
            std::vector<std::string>{"Uncompatible configuration version:\nDevice: v1.03ab\nConfigurator: v1.04"});
  EXPECT_EQ(test::Bytes(image, 6, 9), "v1.03ab\0N"s);
}

TEST(DecodeImage, LongerVersionStartingWithOursIsAccepted) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  test::Put(image, 6, "v1.04-rc");
  EXPECT_EQ(Decoded(image).text("Callsign"), "NOCALL");
}

TEST(DecodeNormalises, CaseAndPaddingAsTheUnitStoresThem) {
  const DeviceSettings s = RoundTrip([](DeviceSettings& edited) {
    for (const auto& [name, value] : {std::pair{"Callsign", "sp9ab"},
                                      {"Beacon2_dest_string", "apx12"},
                                      {"Beacon3_path_string", "wide1"},
                                      {"Callfilter_callsign4", "sp9*"},
                                      {"Pathn3_name", "wide"},
                                      {"Teleanalog2_name", "abc"},
                                      {"Teledigital5_units", "lo"},
                                      {"Beacon2_msg", "hello <lat>"},
                                      {"Weather_comment", "wx"},
                                      {"Teletitle", "title"},
                                      {"Teleanalog4_coefc", "x.y"},
                                      {"Txdelay", "0250"},
                                      {"Quiettime", "+300"},
                                      {"Weather_path_string", ""},
                                      {"Weather_path_ssid", "x"},
                                      {"Callfilter_ssid4", "07"}})
      edited.setText(name, value);
  });
  const std::pair<const char*, const char*> expected[] = {{"Callsign", "SP9AB "},
                                                          {"Beacon2_dest_string", "APX12"},
                                                          {"Beacon3_path_string", "WIDE1"},
                                                          {"Callfilter_callsign4", "SP9*"},
                                                          {"Pathn3_name", "wide"},
                                                          {"Teleanalog2_name", "abc"},
                                                          {"Teledigital5_units", "lo"},
                                                          {"Beacon2_msg", "hello <lat>"},
                                                          {"Weather_comment", "wx"},
                                                          {"Teletitle", "title"},
                                                          {"Teleanalog4_coefc", "x.y"},
                                                          {"Txdelay", "250"},
                                                          {"Quiettime", "300"},
                                                          {"Weather_path_string", ""},
                                                          {"Weather_path_ssid", "0"},
                                                          {"Callfilter_ssid4", "7"},
                                                          {"Callfilter_ssid5", "*"}};
  for (const auto& [name, value] : expected) EXPECT_EQ(s.text(name), value) << name;
}

TEST(DecodeNormalises, ChoiceOutsideItsListBecomesNoSelectionAndIsWrittenAs255) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  image.bytes[63] = 5;                             // Ptt has two entries
  test::Put(image, 36, test::LittleEndian(2, 4));  // Digion
  image.bytes[1392] = 0xFF;
  const DeviceSettings s = Decoded(image);
  EXPECT_EQ(s.choice("Ptt"), -1);
  EXPECT_EQ(s.choice("Digion"), -1);
  EXPECT_EQ(s.choice("RS485_mode"), -1);
  const ConfigImage again = test::EncodeOrFail(s);
  EXPECT_EQ(again.bytes[63], 255);
  EXPECT_EQ(test::Bytes(again, 36, 4), "\xff\xff\xff\xff");
}

TEST(DecodeRawBytes, SsidBytesOfAnyValue) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  image.bytes[20] = 0;     // station SSID, read unsigned
  image.bytes[150] = 0;    // beacon 1 destination SSID, read signed
  image.bytes[157] = 200;  // beacon 1 path SSID
  image.bytes[897 + 6] = '5';
  image.bytes[897 + 13] = 0;
  const DeviceSettings s = Decoded(image);
  EXPECT_EQ(s.text("Ssid"), "208");
  EXPECT_EQ(s.text("Beacon1_dest_ssid"), "-48");
  EXPECT_EQ(s.text("Beacon1_path_ssid"), "-104");
  EXPECT_EQ(s.text("Callfilter_ssid1"), "5");
  EXPECT_EQ(s.text("Callfilter_ssid2"), "-48");
  EXPECT_EQ(s.text("Callfilter_ssid3"), "*");
}

TEST(DecodeRawBytes, TextsWithoutTerminatorStopAtTheirFieldsEnd) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  test::Put(image, 968, std::string(24, 'T'));       // title, up to the enable bytes
  test::Put(image, 732 + 18, std::string(66, 'm'));  // beacon 8 message, up to the next field
  test::Put(image, 44, "5221.60NX");                 // latitude without its NUL
  test::Put(image, 14, "NO\0CAL"s);
  test::Put(image, 76, "W\0DE2 "s);
  image.bytes[1032 + 1 + 3] = 0xE9;  // analog name "Vin" + an 8-bit byte
  const DeviceSettings s = Decoded(image);
  EXPECT_EQ(s.text("Teletitle"), std::string(24, 'T'));
  EXPECT_EQ(s.text("Beacon8_msg"), std::string(66, 'm'));
  EXPECT_EQ(s.text("Latitude"), "5221.60NX");
  EXPECT_EQ(s.text("Callsign"), "NO");
  EXPECT_EQ(s.text("Weather_path_string"), "W");
  EXPECT_EQ(s.text("Teleanalog1_name"), "Vin\xe9");
}

TEST(DecodeRawBytes, NumbersAndFlagsInFull) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  test::Put(image, 24, "\xff\xff\xff\xff");
  test::Put(image, 84, "\xff\xff\x03");
  image.bytes[816 + 6] = 0xFF;
  image.bytes[816 + 9] = 7;  // any non-zero byte sets the flag
  image.bytes[826 + 9] = 0;
  const DeviceSettings s = Decoded(image);
  EXPECT_EQ(s.text("Txdelay"), "4294967295");
  EXPECT_EQ(s.text("Weather_txrate_rf"), "65535");
  EXPECT_EQ(s.text("Pathn1_lower"), "255");
  EXPECT_TRUE(s.flag("Pathn1_active"));
  EXPECT_FALSE(s.flag("Pathn2_active"));
}

TEST(DecodeReactions, EachSerialPortReactsRightAfterItIsSet) {
  ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  image.bytes[1390] = 2;  // both ports claim the console: the port set last keeps it
  image.bytes[1391] = 2;
  DeviceSettings s = Decoded(image);
  EXPECT_EQ(s.choice("Serial1_mode"), 0);
  EXPECT_EQ(s.choice("Serial2_mode"), 2);

  image.bytes[68] = 5;  // WS-2300 on port 1 locks port 2 to the negative voltage
  image.bytes[1390] = 1;
  image.bytes[1391] = 3;
  s = Decoded(image);
  EXPECT_EQ(s.choice("Serial2_mode"), 3);
  EXPECT_FALSE(s.enabled("Serial2_mode"));
  EXPECT_TRUE(s.enabled("Serial1_mode"));
}

}  // namespace
}  // namespace tarnvik
