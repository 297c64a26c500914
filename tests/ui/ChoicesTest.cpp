// Drop-down lists and check boxes: the operator's picks run the reactions of
// the serial ports and the weather station, the program's picks do not, and
// the lists and clock fields follow their enabled states in the settings.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/Form1.h"
#include "settings/DeviceSettings.h"
#include "settings/Reactions.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

class Choices : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  QComboBox& list(const std::string& name) { return test::Find<QComboBox>(form, name); }
  // Picks an entry with the keyboard, as the operator may.
  void pick(const std::string& name, int index) {
    QComboBox& box = list(name);
    test::Reveal(box);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(&box, Qt::Key_Down);
  }
  DeviceSettings& settings() { return form.settings(); }

  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
};

TEST_F(Choices, ListsShowTheirEntriesAndTheSelection) {
  EXPECT_EQ(list("Teleanalog1_source").count(), 18);
  EXPECT_EQ(list("Teledigital8_source").currentText(), "(M) Input 4");
  EXPECT_EQ(list("Weather_stationtype").itemText(6), "WS-2350");
  EXPECT_EQ(list("Quiettime_randomize").currentText(), "+/- 128 ms");
  settings().setChoice("Ptt", -1);
  EXPECT_EQ(list("Ptt").currentIndex(), -1);
  EXPECT_EQ(list("Ptt").currentText(), "");
  pick("Ptt", 1);
  EXPECT_EQ(settings().choice("Ptt"), 1);
}

TEST_F(Choices, TheOperatorsPickRunsThePortRule) {
  pick("Serial1_mode", 1);  // "Weather station" while port 2 has it
  EXPECT_EQ(settings().choice("Serial1_mode"), 1);
  EXPECT_EQ(settings().choice("Serial2_mode"), 0);
  EXPECT_EQ(list("Serial2_mode").currentText(), "None");
  pick("Weather_stationtype", 5);  // WS-2300 locks the other port
  EXPECT_EQ(list("Serial2_mode").currentText(), "Negative voltage output");
  EXPECT_FALSE(list("Serial2_mode").isEnabled());
  pick("Weather_stationtype", 7);  // Davis Vantage Pro frees it, value kept
  EXPECT_TRUE(list("Serial2_mode").isEnabled());
  EXPECT_EQ(settings().choice("Serial2_mode"), 3);
}

TEST_F(Choices, TheProgramsPickRunsNoReaction) {
  settings().setChoice("Weather_stationtype", 5);
  settings().setChoice("Serial1_mode", 1);
  EXPECT_EQ(list("Serial1_mode").currentText(), "Weather station");
  EXPECT_EQ(list("Weather_stationtype").currentText(), "WS-2300");
  EXPECT_EQ(settings().choice("Serial2_mode"), 1);  // both on the weather station, untouched
  EXPECT_TRUE(list("Serial2_mode").isEnabled());
  Serial1_modeChange(settings());  // as an import does after setting port 1
  EXPECT_EQ(list("Serial2_mode").currentText(), "Negative voltage output");
  EXPECT_FALSE(list("Serial2_mode").isEnabled());
}

TEST_F(Choices, OtherListsChangeOnlyTheirOwnSetting) {
  const DeviceSettings before = settings();
  pick("Teleanalog2_source", 9);
  pick("Tele_enable", 1);
  pick("Sorbex_output3", 1);
  DeviceSettings expected = before;
  expected.setChoice("Teleanalog2_source", 9);
  expected.setChoice("Tele_enable", 1);
  expected.setChoice("Sorbex_output3", 1);
  for (const SettingDefinition& d : SettingsTable()) {
    if (d.kind == SettingKind::Text) {
      EXPECT_EQ(settings().text(d.name), expected.text(d.name)) << d.name;
    } else if (d.kind == SettingKind::Choice) {
      EXPECT_EQ(settings().choice(d.name), expected.choice(d.name)) << d.name;
    }
  }
}

TEST_F(Choices, ClockFieldsFollowTheUploadBoxWhoeverChangesIt) {
  auto& upload = test::Find<QCheckBox>(form, "Uploadpctime");
  const auto fieldsEnabled = [&] {
    int enabled = 0;
    for (const char* name : kClockFields) enabled += test::Find<QLineEdit>(form, name).isEnabled() ? 1 : 0;
    return enabled;
  };
  EXPECT_TRUE(upload.isChecked());
  EXPECT_EQ(fieldsEnabled(), 0);
  EXPECT_EQ(test::Find<QLineEdit>(form, "Rtchour").text(), "9");
  test::Reveal(upload);
  QTest::mouseClick(&upload, Qt::LeftButton, {}, QPoint(6, upload.height() / 2));
  EXPECT_FALSE(settings().flag("Uploadpctime"));
  EXPECT_EQ(fieldsEnabled(), 5);
  EXPECT_EQ(test::Find<QLineEdit>(form, "Rtchour").text(), "9");
  settings().setFlag("Uploadpctime", true);
  EXPECT_TRUE(upload.isChecked());
  EXPECT_EQ(fieldsEnabled(), 0);
}

TEST_F(Choices, PathRuleBoxesAreTheirFlags) {
  auto& active = test::Find<QCheckBox>(form, "Pathn3_active");
  EXPECT_FALSE(active.isChecked());
  test::Reveal(active);
  active.setFocus();
  QTest::keyClick(&active, Qt::Key_Space);
  EXPECT_TRUE(settings().flag("Pathn3_active"));
  settings().setFlag("Pathn1_active", false);
  EXPECT_FALSE(test::Find<QCheckBox>(form, "Pathn1_active").isChecked());
}

}  // namespace
}  // namespace tarnvik
