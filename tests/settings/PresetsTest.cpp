#include <gtest/gtest.h>

#include "settings/DeviceSettings.h"
#include "settings/Presets.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"

namespace tarnvik {
namespace {

class Presets : public ::testing::Test {
 protected:
  DeviceSettings s = test::FreshSettings();
};

TEST_F(Presets, AnalogTemperatureKeepsTheAverageChoice) {
  s.setChoice("Teleanalog3_source", 10);
  s.setChoice("Teleanalog3_average", 1);
  ApplyAnalogPreset(s, 3);
  EXPECT_EQ(s.text("Teleanalog3_name"), "Temp");
  EXPECT_EQ(s.text("Teleanalog3_units"), "C");
  EXPECT_EQ(s.text("Teleanalog3_coefa"), "0");
  EXPECT_EQ(s.text("Teleanalog3_coefb"), "0.5");
  EXPECT_EQ(s.text("Teleanalog3_coefc"), "-64");
  EXPECT_EQ(s.choice("Teleanalog3_average"), 1);
}

TEST_F(Presets, AnalogNamesFitChannelFive) {
  s.setChoice("Teleanalog5_source", 13);
  ApplyAnalogPreset(s, 5);
  EXPECT_EQ(s.text("Teleanalog5_name"), "Rx10m");
  for (int source = 0; source < 18; ++source) {
    s.setChoice("Teleanalog5_source", source);
    ApplyAnalogPreset(s, 5);
    EXPECT_LE(s.text("Teleanalog5_name").size(), 5u) << source;
    EXPECT_LE(s.text("Teleanalog5_units").size(), 5u) << source;
  }
  s.setChoice("Teleanalog2_source", 0);
  ApplyAnalogPreset(s, 2);
  EXPECT_EQ(s.text("Teleanalog2_name"), "A2");
  EXPECT_EQ(s.text("Teleanalog2_units"), "None");
}

TEST_F(Presets, AnalogWithoutSourceChangesNothing) {
  s.setChoice("Teleanalog1_source", -1);
  ApplyAnalogPreset(s, 1);
  EXPECT_EQ(s.text("Teleanalog1_name"), "Vin");
  EXPECT_EQ(s.text("Teleanalog1_coefb"), "0.075");
}

TEST_F(Presets, DigitalNotUsedLabelFitsTheChannel) {
  s.setChoice("Teledigital7_source", 0);
  ApplyDigitalPreset(s, 7);
  EXPECT_EQ(s.text("Teledigital7_name"), "B7");
  EXPECT_EQ(s.text("Teledigital7_units"), "Non");
  s.setChoice("Teledigital4_source", 0);
  ApplyDigitalPreset(s, 4);
  EXPECT_EQ(s.text("Teledigital4_name"), "B4");
  EXPECT_EQ(s.text("Teledigital4_units"), "None");
}

TEST_F(Presets, DigitalNamesFollowTheSourceAndClearInverted) {
  s.setChoice("Teledigital2_source", 7);
  s.setChoice("Teledigital2_inverted", 1);
  ApplyDigitalPreset(s, 2);
  EXPECT_EQ(s.text("Teledigital2_name"), "I3");
  EXPECT_EQ(s.text("Teledigital2_units"), "Hi");
  EXPECT_EQ(s.choice("Teledigital2_inverted"), 0);
  s.setChoice("Teledigital6_source", 4);
  ApplyDigitalPreset(s, 6);
  EXPECT_EQ(s.text("Teledigital6_name"), "O4");
  EXPECT_EQ(s.text("Teledigital6_units"), "On");
}

TEST_F(Presets, ChangingASourceAloneLeavesTheTexts) {
  s.setChoice("Teleanalog1_source", 9);
  s.setChoice("Teledigital1_source", 8);
  EXPECT_EQ(s.text("Teleanalog1_name"), "Vin");
  EXPECT_EQ(s.text("Teledigital1_name"), "O1");
}

}  // namespace
}  // namespace tarnvik
