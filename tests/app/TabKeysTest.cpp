// The keys that switch the settings tabs work from any control, the
// drop-downs and the telemetry pages included, and change no setting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "app/Form1.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

TEST(TabKeys, SwitchTabsFromAnyControlAndChangeNothing) {
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto& tabs = test::Find<QTabWidget>(form, "PageControl1");
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int step;
  } keys[] = {
      {Qt::Key_Tab, Qt::ControlModifier, 1},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1},
      {Qt::Key_PageDown, Qt::ControlModifier, 1},
      {Qt::Key_PageUp, Qt::ControlModifier, -1},
  };
  // A text field, the drop-downs of the issue, a check box, a field on a
  // telemetry page, a preset button and the log.
  const char* controls[] = {"Callsign", "Digion", "Weather_stationtype", "Uploadpctime", "Teleanalog1_coefc",
                            "Button6",  "Memo1"};
  for (const char* name : controls) {
    for (const auto& press : keys) {
      QWidget& control = test::Find<QWidget>(form, name);
      test::Reveal(control);
      control.setFocus();
      ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &control; }, 1000)) << name;
      const int before = tabs.currentIndex();
      const DeviceSettings settings = form.settings();
      SCOPED_TRACE(std::string(name) + " " + QKeySequence(press.key | press.modifiers).toString().toStdString());
      QTest::keyClick(&control, press.key, press.modifiers);
      EXPECT_EQ(tabs.currentIndex(), (before + press.step + tabs.count()) % tabs.count());
      EXPECT_TRUE(form.settings() == settings) << "a setting changed";
    }
  }
}

}  // namespace
}  // namespace tarnvik
