#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ImageTestSupport.h"
#include "core/OperationError.h"
#include "image/EncodeSettings.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

struct Outcome {
  bool accepted = false;
  std::vector<test::Box> boxes;
  std::vector<std::string> log;
  std::vector<std::string> changed;  // settings the encoder must not touch
  ConfigImage image;
};

Outcome Encode(const Texts& texts) {
  DeviceSettings s = test::FreshSettings();
  for (const auto& [name, value] : texts) s.setText(name, value);
  const DeviceSettings before = s;
  Outcome out;
  test::RecordingOperator op;
  out.accepted = EncodeSettings(s, out.image, op, test::FixedStamp());
  out.boxes = op.boxes;
  out.log = op.log;
  out.changed = test::Differences(before, s, true);
  return out;
}

// The one message a refused pass shows (empty when it was accepted).
std::string Refusal(const Texts& texts) {
  const Outcome out = Encode(texts);
  EXPECT_TRUE(out.log.empty());
  EXPECT_TRUE(out.changed.empty());
  if (out.accepted) return out.boxes.empty() ? "" : "box after success";
  if (out.boxes.size() != 1) return std::to_string(out.boxes.size()) + " boxes";
  EXPECT_EQ(out.boxes[0].kind, test::Box::Kind::Information);
  EXPECT_EQ(out.boxes[0].caption, "Information");
  return out.boxes[0].text;
}

struct RefusalCase {
  Texts texts;
  const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << '"' << c.message << '"'; }

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, ShowExactlyTheOneMessage) { EXPECT_EQ(Refusal(GetParam().texts), GetParam().message); }

// The window leads the operator to the setting the message is about: the one
// among the case's settings that alone brings the same message.
TEST_P(Refusals, NameTheSettingToCorrect) {
  DeviceSettings s = test::FreshSettings();
  for (const auto& [name, value] : GetParam().texts) s.setText(name, value);
  const auto found = FindRefusal(s);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->message, GetParam().message);
  std::string alone;
  for (const auto& [name, value] : GetParam().texts)
    if (alone.empty() && Refusal({{name, value}}) == GetParam().message) alone = name;
  EXPECT_EQ(found->setting, alone);
}

// One member per family, numbered families at a member other than 1.
INSTANTIATE_TEST_SUITE_P(
    MessageFamilies, Refusals,
    ::testing::Values(
        RefusalCase{{{"Callsign", ""}}, "Callsign - too short (ex. NOCALL-4)."},
        RefusalCase{{{"Ssid", "16"}}, "Callsign - SSID range error (0 - 15)."},
        RefusalCase{{{"Ssid", "-1"}}, "Callsign - SSID range error (0 - 15)."},
        RefusalCase{{{"Txdelay", "199"}}, "TX delay - range error (200 - 1000)."},
        RefusalCase{{{"Txdelay", "-1"}}, "TX delay - range error (200 - 1000)."},
        RefusalCase{{{"Quiettime", "3001"}}, "Quiet time - range error (200 - 3000)."},
        RefusalCase{{{"Latitude", "5221.60n"}}, "Latitude - syntax error (ex. 5221.60N)."},
        RefusalCase{{{"Latitude", "522.160N"}}, "Latitude - syntax error (ex. 5221.60N)."},
        RefusalCase{{{"Longitude", "1653.63E"}}, "Longitude - syntax error (ex. 01653.63E)."},
        RefusalCase{{{"Longitude", "01653.6XE"}}, "Longitude - syntax error (ex. 01653.63E)."},
        RefusalCase{{{"Floodtimeout", "181"}}, "Duplicate checking - range error (15 - 180)."},
        RefusalCase{{{"Pathn2_lower", "0"}}, "Path(n-N) 2, n>= value range error (1 - 7)."},
        RefusalCase{{{"Pathn2_lower", "256"}}, "Path(n-N) 2, n>= value range error (1 - 7)."},
        RefusalCase{{{"Pathn6_higher", "8"}}, "Path(n-N) 6, n<= value range error (1 - 7)."},
        RefusalCase{{{"Callfilter_ssid3", ""}}, "Callsign filter 3 - SSID range error (0 - 15, or wildcard '*')."},
        RefusalCase{{{"Callfilter_ssid10", "**"}}, "Callsign filter 10 - SSID range error (0 - 15, or wildcard '*')."},
        RefusalCase{{{"Beacon2_dest_string", ""}, {"Beacon2_txrate_rf", "0"}},
                    "Beacon 2 destination - too short (ex. APQX03)."},
        RefusalCase{{{"Beacon3_dest_ssid", "x"}}, "Beacon 3 destination - SSID range error (0 - 15)."},
        RefusalCase{{{"Beacon4_path_ssid", "16"}}, "Beacon 4 path - SSID range error (0 - 15)."},
        RefusalCase{{{"Beacon5_txrate_rf", "4"}}, "Beacon 5 tx rate (RF) range error (5 - 1440), or 0 to disable."},
        RefusalCase{{{"Beacon6_msg", "a\tb"}}, "Beacon 6 message - forbidden characters."},
        RefusalCase{{{"Weather_dest_string", ""}}, "Weather destination - too short (ex. APQX03)."},
        RefusalCase{{{"Weather_dest_ssid", "-1"}}, "Weather destination - SSID range error (0 - 15)."},
        RefusalCase{{{"Weather_path_ssid", ""}}, "Weather path - SSID range error (0 - 15)."},
        RefusalCase{{{"Weather_txrate_rf", "1441"}}, "Weather report tx rate (RF) range error (5 - 1440)."},
        RefusalCase{{{"Weather_comment", "\x7f"}}, "Weather report comment - forbidden characters."},
        RefusalCase{{{"Tele_holdoff", "251"}}, "First telemetry data packet delay range error (0 - 250)."},
        RefusalCase{{{"Tele_holdoff", "-1"}}, "First telemetry data packet delay range error (0 - 250)."},
        RefusalCase{{{"Teledata_dest_string", ""}}, "Telemetry data destination - too short (ex. APQX03)."},
        RefusalCase{{{"Teledata_dest_ssid", "1x"}}, "Telemetry data destination - SSID range error (0 - 15)."},
        RefusalCase{{{"Teledata_path_ssid", "99"}}, "Telemetry data path - SSID range error (0 - 15)."},
        RefusalCase{{{"Teledata_txrate_rf", "1"}}, "Telemetry data tx rate (RF) range error (5 - 1440)."},
        RefusalCase{{{"Teleparams_dest_string", ""}}, "Telemetry parameters destination - too short (ex. APQX03)."},
        RefusalCase{{{"Teleparams_dest_ssid", "+16"}}, "Telemetry parameters destination - SSID range error (0 - 15)."},
        RefusalCase{{{"Teleparams_path_ssid", " 2"}}, "Telemetry parameters path - SSID range error (0 - 15)."},
        RefusalCase{{{"Teleparams_txrate_rf", "65535"}}, "Telemetry parameters tx rate (RF) range error (5 - 1440)."}));

// Texts longer than their image field (set by the program, an imported file
// for example) are refused where the field would be written.
INSTANTIATE_TEST_SUITE_P(
    TooLong, Refusals,
    ::testing::Values(
        RefusalCase{{{"Beacon2_msg", std::string(70, 'm')}}, "Beacon 2 message - too long (max. 64 characters)."},
        RefusalCase{{{"Beacon2_msg", std::string(65, 'm')}}, "Beacon 2 message - too long (max. 64 characters)."},
        RefusalCase{{{"Callsign", "NOCALLX"}}, "Callsign - too long (max. 6 characters)."},
        RefusalCase{{{"Beacon3_dest_string", "APQX033"}}, "Beacon 3 destination - too long (max. 6 characters)."},
        RefusalCase{{{"Beacon7_path_string", "WIDE2-2"}}, "Beacon 7 path - too long (max. 6 characters)."},
        RefusalCase{{{"Weather_comment", std::string(33, 'c')}},
                    "Weather report comment - too long (max. 32 characters)."},
        RefusalCase{{{"Weather_path_string", "TRACE3-3"}}, "Weather path - too long (max. 6 characters)."},
        RefusalCase{{{"Pathn4_name", "TRACE7"}}, "Path(n-N) 4 name - too long (max. 5 characters)."},
        RefusalCase{{{"Callfilter_callsign7", "SP9ABCD"}},
                    "Callsign filter 7 callsign - too long (max. 6 characters)."},
        RefusalCase{{{"Teletitle", std::string(24, 't')}}, "Telemetry project title - too long (max. 23 characters)."},
        RefusalCase{{{"Teleanalog4_name", "12345678"}}, "Analog channel 4 name - too long (max. 7 characters)."},
        RefusalCase{{{"Teleanalog5_units", "Celsius!"}}, "Analog channel 5 units - too long (max. 7 characters)."},
        RefusalCase{{{"Teleanalog2_coefb", "0.0000001"}},
                    "Analog channel 2 coefficient B - too long (max. 8 characters)."},
        RefusalCase{{{"Teledigital3_name", "Door123"}}, "Digital channel 3 name - too long (max. 6 characters)."},
        RefusalCase{{{"Teledigital3_units", "Closed!"}}, "Digital channel 3 label - too long (max. 6 characters)."},
        RefusalCase{{{"Teleparams_dest_string", "APQX033"}},
                    "Telemetry parameters destination - too long (max. 6 characters)."}));

// Several faults at once: the pass stops at the first in its fixed order.
INSTANTIATE_TEST_SUITE_P(
    Order, Refusals,
    ::testing::Values(
        RefusalCase{{{"Txdelay", "100"}, {"Latitude", "x"}}, "TX delay - range error (200 - 1000)."},
        RefusalCase{{{"Callsign", "NOCALLX"}, {"Ssid", "16"}}, "Callsign - SSID range error (0 - 15)."},
        RefusalCase{{{"Callsign", "NOCALLX"}, {"Txdelay", "1"}}, "Callsign - too long (max. 6 characters)."},
        RefusalCase{{{"Longitude", ""}, {"Floodtimeout", "1"}}, "Longitude - syntax error (ex. 01653.63E)."},
        RefusalCase{{{"Pathn3_name", "TOOLONG"}, {"Pathn3_lower", "0"}},
                    "Path(n-N) 3 name - too long (max. 5 characters)."},
        RefusalCase{{{"Pathn1_higher", "0"}, {"Pathn2_lower", "0"}}, "Path(n-N) 1, n<= value range error (1 - 7)."},
        RefusalCase{{{"Callfilter_callsign5", "TOOLONG"}, {"Callfilter_ssid5", "x"}},
                    "Callsign filter 5 - SSID range error (0 - 15, or wildcard '*')."},
        RefusalCase{{{"Callfilter_ssid10", "x"}, {"Beacon1_dest_string", ""}},
                    "Callsign filter 10 - SSID range error (0 - 15, or wildcard '*')."},
        RefusalCase{{{"Beacon3_dest_string", "TOOLONG"}, {"Beacon3_dest_ssid", "x"}},
                    "Beacon 3 destination - SSID range error (0 - 15)."},
        RefusalCase{{{"Beacon3_dest_string", "TOOLONG"}, {"Beacon3_path_ssid", "x"}},
                    "Beacon 3 destination - too long (max. 6 characters)."},
        RefusalCase{{{"Beacon1_txrate_rf", "1"}, {"Beacon2_dest_string", ""}},
                    "Beacon 1 tx rate (RF) range error (5 - 1440), or 0 to disable."},
        RefusalCase{{{"Beacon8_msg", "\x80"}, {"Weather_dest_string", ""}}, "Beacon 8 message - forbidden characters."},
        RefusalCase{{{"Weather_comment", "\x01"}, {"Tele_holdoff", "999"}},
                    "Weather report comment - forbidden characters."},
        RefusalCase{{{"Tele_holdoff", "999"}, {"Teleanalog1_name", "TOOLONGX"}},
                    "First telemetry data packet delay range error (0 - 250)."},
        RefusalCase{{{"Teledigital8_units", "TOOLONG"}, {"Teledata_dest_string", ""}},
                    "Digital channel 8 label - too long (max. 6 characters)."},
        RefusalCase{{{"Teledata_txrate_rf", "1"}, {"Teleparams_dest_string", ""}},
                    "Telemetry data tx rate (RF) range error (5 - 1440)."}));

TEST(EncodeChecks, TxRateIsZeroOrFiveTo1440OnTheStoredSixteenBits) {
  for (const char* rate : {"0", "5", "1440", "65536", "+05"})
    EXPECT_EQ(Refusal({{"Beacon7_txrate_rf", rate}}), "") << rate;
  for (const char* rate : {"4", "1", "1441", "-1", "65535", "65537"})
    EXPECT_NE(Refusal({{"Beacon7_txrate_rf", rate}}), "") << rate;
  EXPECT_EQ(Refusal({{"Weather_txrate_rf", "0"}, {"Teledata_txrate_rf", "0"}, {"Teleparams_txrate_rf", "1440"}}), "");
}

TEST(EncodeChecks, MessagesHoldPrintableAsciiOnly) {
  for (const char* text : {"\t", "\x7f", "\x80", "caf\xe9", "\xff", "line\n"})
    EXPECT_EQ(Refusal({{"Beacon1_msg", text}}), "Beacon 1 message - forbidden characters.");
  EXPECT_EQ(Refusal({{"Beacon1_msg", " !~<date><lat><long><volt>"}, {"Weather_comment", "~ "}}), "");
}

TEST(EncodeChecks, RefusedMessageIsAlreadyInTheImage) {
  const Outcome out = Encode({{"Beacon1_msg", "a\x7f"}});
  ASSERT_FALSE(out.accepted);
  EXPECT_EQ(test::Bytes(out.image, 162, 3), std::string("a\x7f\0", 3));
  EXPECT_EQ(test::Bytes(out.image, 1393, 3), std::string(3, '\0'));  // never finished
}

TEST(EncodeChecks, OverLongTextNeverReachesTheImage) {
  const Outcome out = Encode({{"Beacon2_msg", std::string(70, 'm')}});
  ASSERT_FALSE(out.accepted);
  EXPECT_EQ(test::Bytes(out.image, 228, 18), "APQX030WIDE2 2" + std::string(4, '\0'));
  EXPECT_EQ(test::Bytes(out.image, 228 + 18, 66 + 84), std::string(150, '\0'));
}

TEST(EncodeChecks, FieldsTakeWhatTheImageHoldsNotTheTypingLimit) {
  EXPECT_EQ(Refusal({{"Teleanalog5_units", "Celsius"}, {"Teledigital8_name", "Door12"}}), "");
  EXPECT_EQ(Refusal({{"Beacon1_msg", std::string(64, '~')}, {"Callsign", "SP9ABC"}}), "");
}

TEST(EncodeChecks, RangesSeeTheStoredValue) {
  EXPECT_EQ(Refusal({{"Pathn2_lower", "257"}, {"Pathn2_higher", "-249"}}), "");  // low bytes 1 and 7
  EXPECT_EQ(Refusal({{"Pathn2_lower", "7"}, {"Pathn2_higher", "1"}}), "");       // no cross check
  EXPECT_EQ(Refusal({{"Tele_holdoff", "0"}}), "");
  EXPECT_EQ(Refusal({{"Tele_holdoff", "256"}}), "First telemetry data packet delay range error (0 - 250).");
  EXPECT_EQ(Refusal({{"Quiettime", "-2147483648"}}), "Quiet time - range error (200 - 3000).");
}

TEST(EncodeConversions, GuardedSsidsAcceptTheWildcardAndIgnoreEmptyPaths) {
  EXPECT_EQ(Refusal({{"Callfilter_ssid3", "*"}, {"Callfilter_ssid4", "0"}, {"Callfilter_ssid5", "15"}}), "");
  EXPECT_EQ(Refusal({{"Beacon5_path_string", ""}, {"Beacon5_path_ssid", "x"}}), "");
  EXPECT_EQ(Refusal({{"Teledata_path_string", ""}, {"Teledata_path_ssid", ""}}), "");
  EXPECT_EQ(Refusal({{"Beacon5_dest_ssid", "2147483648"}}), "Beacon 5 destination - SSID range error (0 - 15).");
}

TEST(EncodeConversions, OtherNumbersThrowTheConversionError) {
  const Texts cases = {{"Ssid", ""},
                       {"Ssid", "a"},
                       {"Txdelay", "25x"},
                       {"Quiettime", " 400"},
                       {"Floodtimeout", ""},
                       {"Pathn3_lower", "x"},
                       {"Pathn8_higher", "+"},
                       {"Beacon2_txrate_rf", "0x10"},
                       {"Weather_txrate_rf", "5.0"},
                       {"Rtcday", "x"},
                       {"Tele_holdoff", ""},
                       {"Teleparams_txrate_rf", "4294967296"}};
  for (const auto& [name, text] : cases) {
    try {
      Encode({{name, text}});
      ADD_FAILURE() << name << " '" << text << "' did not throw";
    } catch (const ConversionError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid integer value") << name;
    }
    DeviceSettings s = test::FreshSettings();
    s.setText(name, text);
    const auto found = FindRefusal(s);
    ASSERT_TRUE(found.has_value()) << name;
    EXPECT_EQ(found->setting, name);
    EXPECT_EQ(found->message, "'" + text + "' is not a valid integer value");
  }
  EXPECT_FALSE(FindRefusal(test::FreshSettings()).has_value());
}

TEST(EncodeConversions, TheWindowShowsTheConversionErrorInsteadOfAMessage) {
  DeviceSettings s = test::FreshSettings();
  s.setText("Ssid", "a");
  ConfigImage image;
  test::RecordingOperator op;
  EXPECT_FALSE(RunGuarded(op, [&] { EncodeSettings(s, image, op, test::FixedStamp()); }));
  ASSERT_EQ(op.boxes.size(), 1u);
  EXPECT_EQ(op.boxes[0].kind, test::Box::Kind::Error);
  EXPECT_EQ(op.boxes[0].text, "'a' is not a valid integer value.");
}

}  // namespace
}  // namespace tarnvik
