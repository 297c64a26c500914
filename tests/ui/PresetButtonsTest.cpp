// The "Default parameters" buttons of the telemetry channels and the
// "Special strings" button, clicked as the operator does.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/Form1.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/WindowDriver.h"
#include "ui/Form2.h"

namespace tarnvik {
namespace {

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  void click(const std::string& name) {
    auto& button = test::Find<QPushButton>(form, name);
    test::Reveal(button);
    QTest::mouseClick(&button, Qt::LeftButton);
  }
  void pick(const std::string& name, int index) {
    auto& list = test::Find<QComboBox>(form, name);
    test::Reveal(list);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(&list, Qt::Key_Down);
  }
  QString shown(const std::string& name) { return test::Find<QLineEdit>(form, name).text(); }

  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
};

TEST_F(Buttons, AnalogPresetFillsItsOwnRowFromTheSourceAndKeepsTheAverage) {
  pick("Teleanalog3_source", 10);  // (M) Temperature (DS18S20)
  pick("Teleanalog3_average", 1);
  EXPECT_EQ(shown("Teleanalog3_name"), "Dg1h");  // picking alone changes nothing else
  click("Button8");
  QStringList row;
  for (const char* part : {"_name", "_units", "_coefa", "_coefb", "_coefc"})
    row << shown(std::string("Teleanalog3") + part);
  EXPECT_EQ(row, QStringList({"Temp", "C", "0", "0.5", "-64"}));
  EXPECT_EQ(form.settings().text("Teleanalog3_coefc"), "-64");
  EXPECT_EQ(form.settings().choice("Teleanalog3_average"), 1);
  EXPECT_EQ(shown("Teleanalog2_name"), "Rx1h");
  pick("Teleanalog5_source", 13);
  click("Button10");
  EXPECT_EQ(shown("Teleanalog5_name"), "Rx10m");
}

TEST_F(Buttons, DigitalPresetFollowsTheSourceAndResetsInverted) {
  pick("Teledigital7_source", 0);
  pick("Teledigital7_inverted", 1);
  click("Button19");
  EXPECT_EQ(shown("Teledigital7_name"), "B7");
  EXPECT_EQ(shown("Teledigital7_units"), "Non");
  EXPECT_EQ(test::Find<QComboBox>(form, "Teledigital7_inverted").currentText(), "No");
  pick("Teledigital2_source", 7);  // (M) Input 3
  click("Button14");
  EXPECT_EQ(shown("Teledigital2_name"), "I3");
  EXPECT_EQ(shown("Teledigital2_units"), "Hi");
  click("Button16");  // channel 4 keeps its own source, output 4
  EXPECT_EQ(shown("Teledigital4_name"), "O4");
}

TEST_F(Buttons, SpecialStringsShowsTheOneDialogModallyEachTime) {
  Form2 dialog(&form);
  form.setSpecialStringsDialog(&dialog);
  for (int opening = 0; opening < 2; ++opening) {
    bool shownModal = false;
    QPoint where;
    QTimer::singleShot(0, &dialog, [&] {
      // Qt keeps the operator's input from every other window while the
      // application-modal dialog is the active modal widget.
      shownModal = dialog.isVisible() && dialog.windowModality() == Qt::ApplicationModal &&
                   QApplication::activeModalWidget() == &dialog;
      where = dialog.pos();
      dialog.close();
    });
    click("Button11");
    EXPECT_TRUE(shownModal) << opening;
    EXPECT_EQ(where, QPoint(539, 321));
    EXPECT_FALSE(dialog.isVisible());
  }
}

}  // namespace
}  // namespace tarnvik
