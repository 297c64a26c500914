// The window and the configuration file together: a file read shows every
// value in its control, and what the operator types into a fresh window is
// saved exactly as the same settings made in the model.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/Form1.h"
#include "cfgfile/ConfigFileOps.h"
#include "settings/DeviceSettings.h"
#include "settings/Reactions.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

class RoundTrip : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  void click(const std::string& name) {
    auto& button = test::Find<QPushButton>(form, name);
    QTest::mouseClick(&button, Qt::LeftButton);
  }
  // Every control shows its setting, value and enabled state.
  void expectControlsShow(const DeviceSettings& s) {
    for (const SettingDefinition& d : SettingsTable()) {
      QWidget& control = test::Find<QWidget>(form, d.name);
      EXPECT_EQ(control.isEnabled(), s.enabled(d.name)) << d.name;
      switch (d.kind) {
        case SettingKind::Text:
          EXPECT_EQ(static_cast<QLineEdit&>(control).text().toLatin1().toStdString(), s.text(d.name)) << d.name;
          break;
        case SettingKind::Choice:
          EXPECT_EQ(static_cast<QComboBox&>(control).currentIndex(), s.choice(d.name)) << d.name;
          break;
        case SettingKind::Flag:
          EXPECT_EQ(static_cast<QCheckBox&>(control).isChecked(), s.flag(d.name)) << d.name;
          break;
      }
    }
  }

  const PcClock clock = test::TestClock();
  test::RecordingOperator record;
  Form1 form{{clock, &record}};
  test::TempFolder folder;
  fs::path dir = folder.root();
};

TEST_F(RoundTrip, ReadFromFileShowsEveryValueInItsControl) {
  DeviceSettings source(clock);
  int i = 0;
  for (const SettingDefinition& d : SettingsTable()) {
    ++i;
    if (d.kind == SettingKind::Text) source.setText(d.name, std::to_string(100 + i));  // some past their limit
    if (d.kind == SettingKind::Choice) source.setChoice(d.name, i % int(d.choices->size()));
    if (d.kind == SettingKind::Flag) source.setFlag(d.name, !source.flag(d.name));
  }
  source.setText("Weather_comment", "K\xf6ln \xb0");
  source.setChoice("Weather_stationtype", 6);  // WS-2350 with the station on port 2
  source.setChoice("Serial1_mode", 0);
  source.setChoice("Serial2_mode", 1);
  const fs::path file = dir / "all.cfg";
  SaveConfigFile(source, file.string());

  record.answerFile(file.string());
  click("Button2");
  ASSERT_TRUE(record.boxes.empty());
  DeviceSettings loaded(clock);
  ASSERT_TRUE(LoadConfigFile(loaded, file.string(), record));
  expectControlsShow(loaded);
  expectControlsShow(form.settings());
  EXPECT_EQ(test::Find<QLineEdit>(form, "Pathn4_lower").text().size(), 3);  // past its limit of 1, whole
  EXPECT_EQ(test::Find<QLineEdit>(form, "Weather_comment").text(), QString::fromUtf8("K\u00f6ln \u00b0"));
  EXPECT_EQ(test::Find<QComboBox>(form, "Serial1_mode").currentText(), "Negative voltage output");
  EXPECT_FALSE(test::Find<QComboBox>(form, "Serial1_mode").isEnabled());
  EXPECT_FALSE(test::Find<QCheckBox>(form, "Uploadpctime").isChecked());
  EXPECT_TRUE(test::Find<QLineEdit>(form, "Rtcmin").isEnabled());
}

// The operator's picks with the keyboard: Home, then Down to the entry; the
// model takes the same steps, each with the reaction the pick runs.
class TypedWindow : public RoundTrip {
 protected:
  void pick(const std::string& name, int index) {
    auto& list = test::Find<QComboBox>(form, name);
    ASSERT_TRUE(list.isEnabled()) << name;
    test::Reveal(list);
    list.setFocus();
    if (list.currentIndex() != 0) stepModel(name, 0);
    for (int k = 1; k <= index; ++k) stepModel(name, k);
    QTest::keyClick(&list, Qt::Key_Home);
    for (int k = 0; k < index; ++k) QTest::keyClick(&list, Qt::Key_Down);
  }
  void stepModel(const std::string& name, int index) {
    static const std::map<std::string, void (*)(DeviceSettings&)> reactions = {
        {"Serial1_mode", Serial1_modeChange},
        {"Serial2_mode", Serial2_modeChange},
        {"Weather_stationtype", Weather_stationtypeChange}};
    model.setChoice(name, index);
    if (reactions.count(name)) reactions.at(name)(model);
  }
  void type(const std::string& name, const QString& text) {
    test::TypeOver(test::Find<QLineEdit>(form, name), text);
    const QByteArray bytes = text.toLatin1();
    model.setText(name, std::string(bytes.constData(), std::size_t(bytes.size())));
  }
  void toggle(const std::string& name) {
    auto& box = test::Find<QCheckBox>(form, name);
    test::Reveal(box);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Space);
    model.setFlag(name, !model.flag(name));
  }

  DeviceSettings model{clock};
};

TEST_F(TypedWindow, SavedFileEqualsTheFileOfTheSameSettingsMadeInTheModel) {
  toggle("Uploadpctime");  // makes the clock fields editable
  int i = 0;
  for (const SettingDefinition& d : SettingsTable()) {
    ++i;
    if (d.kind == SettingKind::Text) type(d.name, QString::number(100 + i).left(d.maxLength));
    if (d.kind == SettingKind::Flag && d.name != "Uploadpctime") toggle(d.name);
  }
  type("Weather_comment", QString::fromUtf8("K\u00f6ln \u00b0"));
  type("Beacon3_msg", QStringLiteral("@<date>z<lat>/<long>-Tarnvik"));
  for (const SettingDefinition& d : SettingsTable())
    if (d.kind == SettingKind::Choice && d.name.find("Serial") == std::string::npos)
      pick(d.name, ++i % int(d.choices->size()));
  pick("Weather_stationtype", 5);  // WS-2300 on port 2 locks port 1
  ASSERT_FALSE(test::Find<QComboBox>(form, "Serial1_mode").isEnabled());
  pick("Serial2_mode", 0);  // frees port 1
  pick("Serial1_mode", 1);  // port 2 is locked on negative voltage
  ASSERT_FALSE(test::Find<QComboBox>(form, "Serial2_mode").isEnabled());

  const fs::path typed = dir / "typed.cfg", made = dir / "made.cfg";
  record.answerFile(typed.string());
  click("Button1");
  ASSERT_TRUE(record.boxes.empty()) << record.boxes.front().text;
  SaveConfigFile(model, made.string());
  EXPECT_EQ(ReadAll(typed), ReadAll(made));
  EXPECT_NE(ReadAll(typed).find("Weather_comment=K\xf6ln \xb0\r\n"), std::string::npos);
  EXPECT_NE(ReadAll(typed).find("Serial2=3\r\n"), std::string::npos);
  expectControlsShow(model);
}

}  // namespace
}  // namespace tarnvik
