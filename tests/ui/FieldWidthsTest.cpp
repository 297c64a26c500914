// Every text field shows its longest realistic value whole at the desktop's
// font: a value as long as the setting holds, of the kind the field takes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <regex>

#include "app/Form1.h"
#include "settings/DeviceSettings.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

// The values operators write, cut to the field's limit.
std::string LongestRealValue(const std::string& name, int limit) {
  const struct {
    const char* pattern;
    const char* value;
  } kinds[] = {
      {"Callsign|.*_(dest|path)_string|Pathn._name|Callfilter_callsign.*", "WB2MWM"},
      {"Teleanalog._coef.", "-1234.56"},
      {"Latitude", "5221.60N"},
      {"Longitude", "01653.63E"},
      {"Tele(analog|digital)._name", "Battery"},
      {"Tele(analog|digital)._units", "Celsius"},
      {"Beacon._msg", "Tarnvik digipeater, Krakow, 73 de SP9ABC and the local club team"},
      {"Weather_comment", "Ostrel weather station, Krakow. "},
      {"Teletitle", "Tarnvik test telemetry."},
  };
  for (const auto& kind : kinds)
    if (std::regex_match(name, std::regex(kind.pattern))) return std::string(kind.value).substr(0, std::size_t(limit));
  return std::string(std::size_t(limit), '8');  // numbers and SSIDs
}

// Whole when moving the cursor from its end to its start scrolls nothing:
// the distance between the two is the text's own width.
bool ShowsWhole(QLineEdit& field) {
  field.setCursorPosition(int(field.text().size()));
  const QRect end = field.inputMethodQuery(Qt::ImCursorRectangle).toRect();
  field.setCursorPosition(0);
  const QRect start = field.inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const int width = field.fontMetrics().horizontalAdvance(field.text());
  return end.x() - start.x() >= width - 1 && end.right() <= field.contentsRect().right();
}

TEST(FieldWidths, EveryTextFieldShowsItsLongestValueWhole) {
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  form.show();
  int fields = 0;
  for (const SettingDefinition& d : SettingsTable()) {
    if (d.kind != SettingKind::Text) continue;
    const std::string value = LongestRealValue(d.name, d.maxLength);
    ASSERT_EQ(value.size(), std::size_t(d.maxLength)) << d.name;
    form.settings().setText(d.name, value);
    auto& field = test::Find<QLineEdit>(form, d.name);
    test::Reveal(field);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ShowsWhole(field)) << d.name << " cuts \"" << value << "\" at " << field.width() << " px";
    ++fields;
  }
  EXPECT_EQ(fields, 163);
}

// The same check sees a field that is too narrow.
TEST(FieldWidths, TheCheckSeesACutValue) {
  QLineEdit field;
  field.setFixedWidth(40);
  field.show();
  field.setText(QStringLiteral("WB2MWM WB2MWM"));
  EXPECT_FALSE(ShowsWhole(field));
  field.setText(QStringLiteral("W"));
  EXPECT_TRUE(ShowsWhole(field));
}

}  // namespace
}  // namespace tarnvik
