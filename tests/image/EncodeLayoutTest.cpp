// What the unit receives, byte for byte. Offsets here are written out from the
// unit's memory map on purpose, independently of the program's layout table.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ImageTestSupport.h"
#include "image/EncodeSettings.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using namespace std::string_literals;
using test::Bytes;
using test::LittleEndian;
using test::Put;

const std::string kAddressDefaults = "APQX030WIDE2 2";  // destination, then path

void PutDefaultRadioAndDigipeater(ConfigImage& x) {
  Put(x, 6, "v1.04");
  Put(x, 14, "NOCALL0");
  Put(x, 24, LittleEndian(250, 4) + LittleEndian(400, 4) + "\x04");
  Put(x, 36, LittleEndian(1, 4) + LittleEndian(60, 4) + "5221.60N\0"s + "01653.63E");
  Put(x, 816, "WIDE\0\0\x01\x07\x01\x01"s + "SP\0\0\0\0\x01\x07\x00\x01"s);
  for (int n = 3; n <= 8; ++n) Put(x, 816 + 10 * (n - 1) + 6, "\x01\x07");
  for (int n = 1; n <= 10; ++n) Put(x, 897 + 7 * (n - 1), "      *");
}

void PutDefaultBeaconsWeatherClock(ConfigImage& x) {
  for (int n = 1; n <= 8; ++n) Put(x, 144 + 84 * (n - 1), kAddressDefaults + (n == 1 ? "\x05" : ""));
  Put(x, 162, "@<date>z<lat>/<long>-Tarnvik U=<volt>V.");
  Put(x, 69, kAddressDefaults + "\0\x05"s);
  Put(x, 88, "Ostrel weather");
  for (int i = 0; const int value : {2026, 7, 3, 9, 5}) Put(x, 124 + 4 * i++, LittleEndian(value, 4));
}

void PutDefaultTelemetry(ConfigImage& x) {
  Put(x, 968, "Telemetry test");
  Put(x, 995, kAddressDefaults + "\0\x05\0\0\0"s + kAddressDefaults + "\x05");
  const char* analog[5][6] = {{"\x0b", "Vin", "Volt", "0", "0.075", "0"},
                              {"\x0c", "Rx1h", "Pkt", "0", "10", "0"},
                              {"\x0e", "Dg1h", "Pkt", "0", "10", "0"},
                              {"\x11", "Eff1h", "Pcnt", "0", "1", "0"},
                              {"", "A5", "None", "0", "0", "0"}};
  for (int n = 0; n < 5; ++n)
    for (int i = 0; const std::size_t at : {0, 1, 9, 17, 26, 35}) Put(x, 1032 + 45 * n + at, analog[n][i++]);
  for (int n = 1; n <= 8; ++n) {
    const std::size_t at = 1257 + 16 * (n - 1);
    Put(x, at, std::string(1, static_cast<char>(n)) + (n <= 4 ? "O" : "I") + std::to_string((n - 1) % 4 + 1));
    Put(x, at + 8, n <= 4 ? "On" : "Hi");
  }
  Put(x, 1389,
      "\x3c\x02\x01\x01"
      "END");
}

TEST(EncodeDefaults, GiveTheDocumentedImageByteForByte) {
  ConfigImage expected;
  PutDefaultRadioAndDigipeater(expected);
  PutDefaultBeaconsWeatherClock(expected);
  PutDefaultTelemetry(expected);
  Put(expected, 4, LittleEndian(test::kStamp, 2));
  test::FixChecksum(expected);

  const ConfigImage image = test::EncodeOrFail(test::FreshSettings());
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i)
    EXPECT_EQ(int(image.bytes[i]), int(expected.bytes[i])) << "offset " << i;
  EXPECT_TRUE(CheckImageChecksum(image));
}

TEST(EncodeDefaults, TwoEncodingsDifferOnlyInStampAndChecksum) {
  const DeviceSettings s = test::FreshSettings();
  ConfigImage first, second;
  test::RecordingOperator op;
  ASSERT_TRUE(EncodeSettings(s, first, op, test::FixedStamp(1)));
  ASSERT_TRUE(EncodeSettings(s, second, op, test::FixedStamp(9999)));
  EXPECT_EQ(Bytes(second, 4, 2), "\x0f\x27");
  EXPECT_NE(Bytes(first, 0, 4), Bytes(second, 0, 4));
  EXPECT_EQ(Bytes(first, 6, 2042), Bytes(second, 6, 2042));
  EXPECT_TRUE(op.boxes.empty());
  EXPECT_TRUE(op.log.empty());
}

struct ByteCase {
  const char* what;
  std::function<void(DeviceSettings&)> edit;
  std::size_t offset;
  std::string bytes;
};

void SetTexts(DeviceSettings& s, std::initializer_list<std::pair<const char*, const char*>> texts) {
  for (const auto& [name, value] : texts) s.setText(name, value);
}

const ByteCase kByteCases[] = {
    {"lower-case callsign, SSID 4",
     [](auto& s) {
       SetTexts(s, {{"Callsign", "nocall"}, {"Ssid", "4"}});
     },
     14, "NOCALL4\0"s},
    {"SSID 12 and a short callsign",
     [](auto& s) {
       SetTexts(s, {{"Callsign", "ab1"}, {"Ssid", "12"}});
     },
     14, "AB1   <\0"s},
    {"SSID 10", [](auto& s) { s.setText("Ssid", "10"); }, 20, ":"},
    {"destination SSID 15, lower case",
     [](auto& s) {
       SetTexts(s, {{"Beacon6_dest_string", "apx"}, {"Beacon6_dest_ssid", "15"}});
     },
     564, "APX   ?"},
    {"beacon path wide2", [](auto& s) { s.setText("Beacon4_path_string", "wide2"); }, 403, "WIDE2 2"},
    {"empty path ignores its SSID text",
     [](auto& s) {
       SetTexts(s, {{"Beacon5_path_string", ""}, {"Beacon5_path_ssid", "x"}});
     },
     487, "      0"},
    {"path rule name keeps its case", [](auto& s) { s.setText("Pathn3_name", "wide"); }, 836, "wide\0\0\x01\x07\0\0"s},
    {"filter callsign with asterisk",
     [](auto& s) {
       SetTexts(s, {{"Callfilter_callsign2", "sp9*"}, {"Callfilter_ssid2", "5"}});
     },
     904, "SP9*  5"},
    {"filter SSID 12", [](auto& s) { s.setText("Callfilter_ssid7", "12"); }, 939, "      <"},
    {"Digion No, flood time 60", [](auto& s) { s.setChoice("Digion", 0); }, 36, "\0\0\0\0\x3c\0\0\0"s},
    {"no Digion selection", [](auto& s) { s.setChoice("Digion", -1); }, 36, "\xff\xff\xff\xff"},
    {"no Ptt selection", [](auto& s) { s.setChoice("Ptt", -1); }, 63, "\xff"},
    {"last squelch level", [](auto& s) { s.setChoice("Squelch", 9); }, 64, "\x09"},
    {"last weather station", [](auto& s) { s.setChoice("Weather_stationtype", 10); }, 68, "\x0a"},
    {"inactive path rule", [](auto& s) { s.setFlag("Pathn2_active", false); }, 835, "\0"s},
    {"coefficients are texts",
     [](auto& s) {
       SetTexts(s, {{"Teleanalog3_coefa", "-0.5"}, {"Teleanalog3_coefb", "abc"}});
     },
     1139, "-0.5\0\0\0\0\0abc\0"s},
    {"clock without range check",
     [](auto& s) {
       SetTexts(s, {{"Rtcyear", "99"}, {"Rtcmonth", "13"}});
     },
     124, "\x63\0\0\0\x0d\0\0\0"s},
    {"holdoff 250", [](auto& s) { s.setText("Tele_holdoff", "250"); }, 1389, "\xfa"},
    {"rate 65536 keeps its low 16 bits", [](auto& s) { s.setText("Beacon1_txrate_rf", "65536"); }, 158, "\0\0"s},
    {"rate 65541 is 5", [](auto& s) { s.setText("Teleparams_txrate_rf", "65541"); }, 1028, "\x05\0"s},
    {"u8 keeps its low 8 bits", [](auto& s) { s.setText("Pathn2_lower", "257"); }, 832, "\x01"},
    {"signed and zero-led number", [](auto& s) { s.setText("Txdelay", "+0999"); }, 24, "\xe7\x03\0\0"s},
    {"serial roles and outputs",
     [](auto& s) {
       s.setChoice("Sorbex_output4", 1);
       s.setChoice("RS485_mode", 0);
     },
     1388, "\x01\x3c\x02\x01\x00"s},
};

TEST(EncodeFields, StoreEachEncodingAtItsOffset) {
  for (const ByteCase& c : kByteCases) {
    DeviceSettings s = test::FreshSettings();
    c.edit(s);
    EXPECT_EQ(Bytes(test::EncodeOrFail(s), c.offset, c.bytes.size()), c.bytes) << c.what;
  }
}

TEST(EncodeFields, SixtyFourCharacterMessageFillsItsField) {
  DeviceSettings s = test::FreshSettings();
  const std::string message(64, 'm');
  s.setText("Beacon8_msg", message);
  const ConfigImage image = test::EncodeOrFail(s);
  const std::size_t record = 144 + 84 * 7;
  EXPECT_EQ(Bytes(image, record + 18, 66), message + "\0\0"s);
}

}  // namespace
}  // namespace tarnvik
