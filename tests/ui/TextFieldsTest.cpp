// The text fields of the settings tabs, typed into as the operator does.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>

#include "app/Form1.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

class TextFields : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  QLineEdit& field(const std::string& name) { return test::Find<QLineEdit>(form, name); }
  void paste(QLineEdit& into, const QString& text) {
    QApplication::clipboard()->setText(text);
    test::Reveal(into);
    into.setFocus();
    QTest::keyClick(&into, Qt::Key_V, Qt::ControlModifier);
  }

  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
};

TEST_F(TextFields, TypingStopsAtTheLimitAndEveryKeystrokeIsTheSetting) {
  test::TypeOver(field("Callsign"), "SP9ABCD");
  EXPECT_EQ(field("Callsign").text(), "SP9ABC");
  EXPECT_EQ(form.settings().text("Callsign"), "SP9ABC");
  for (int n : {1, 5, 8}) {
    const std::string name = "Pathn" + std::to_string(n) + "_lower";
    test::TypeOver(field(name), "23");
    EXPECT_EQ(form.settings().text(name), "2") << name;
  }
  QTest::keyClick(&field("Callsign"), Qt::Key_Backspace);
  EXPECT_EQ(form.settings().text("Callsign"), "SP9AB");
}

TEST_F(TextFields, ALongerTextFromTheProgramIsShownWholeAndCanOnlyShrink) {
  const std::string seventy(70, 'x');
  form.settings().setText("Beacon2_msg", seventy);
  QLineEdit& message = field("Beacon2_msg");
  EXPECT_EQ(message.text().toStdString(), seventy);
  EXPECT_EQ(message.cursorPosition(), 0);  // its start is in view
  message.setFocus();
  QTest::keyClick(&message, Qt::Key_End);
  QTest::keyClicks(&message, "y");
  EXPECT_EQ(form.settings().text("Beacon2_msg"), seventy);
  QTest::keyClick(&message, Qt::Key_Backspace);
  EXPECT_EQ(form.settings().text("Beacon2_msg"), std::string(69, 'x'));
  message.setSelection(0, 1);  // replacing one character keeps the length
  QTest::keyClicks(&message, "z");
  EXPECT_EQ(form.settings().text("Beacon2_msg"), "z" + std::string(68, 'x'));
}

TEST_F(TextFields, CharactersTheUnitCannotHoldAreRefusedNotReplaced) {
  test::TypeOver(field("Weather_comment"), QString::fromUtf8("Ost\u00e4r\u20ac\u00fc"));
  EXPECT_EQ(form.settings().text("Weather_comment"), "Ost\xe4r\xfc");  // ISO 8859-1 bytes
  EXPECT_EQ(field("Weather_comment").text(), QString::fromUtf8("Ost\u00e4r\u00fc"));

  paste(field("Teletitle"), QString::fromUtf8("Caf\u00e9 \u2713"));
  EXPECT_EQ(form.settings().text("Teletitle"), "Telemetry test");  // the whole paste refused
  paste(field("Teletitle"), QStringLiteral("two\nlines"));
  EXPECT_EQ(form.settings().text("Teletitle"), "Telemetry test");
  field("Teletitle").selectAll();
  paste(field("Teletitle"), QString::fromUtf8("Caf\u00e9 \u00b0C"));
  EXPECT_EQ(form.settings().text("Teletitle"),
            "Caf\xe9 \xb0"
            "C");
}

TEST_F(TextFields, PastingBeyondTheLimitIsRefusedAndWithinItIsTaken) {
  QLineEdit& ssid = field("Callfilter_ssid7");
  ssid.selectAll();
  paste(ssid, QStringLiteral("123"));
  EXPECT_EQ(form.settings().text("Callfilter_ssid7"), "*");
  ssid.selectAll();
  paste(ssid, QStringLiteral("12"));
  EXPECT_EQ(form.settings().text("Callfilter_ssid7"), "12");
}

TEST_F(TextFields, ProgramTextsShowAtOnceAndOperatorTextsAreTheSettings) {
  form.settings().setText("Rtcyear", "1999");
  EXPECT_EQ(field("Rtcyear").text(), "1999");
  form.settings().setText("Teleanalog5_coefc", "\xb0");
  EXPECT_EQ(field("Teleanalog5_coefc").text(), QString(QChar(0xb0)));
  test::TypeOver(field("Teleanalog5_coefc"), "-1.5");
  EXPECT_EQ(form.settings().text("Teleanalog5_coefc"), "-1.5");
}

}  // namespace
}  // namespace tarnvik
