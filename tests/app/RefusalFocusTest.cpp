// After a validation message or the invalid-number box, whose texts stay as
// they are, the tab that holds the setting is in front and its field has the
// focus with its text selected, so the operator can correct it at once.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "support/DeskWindow.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

TEST(RefusalFocus, TheFieldToCorrectTakesTheFocusWithItsTextSelected) {
  const test::TempFolder folder;
  const struct {
    const char* button;  // Write config or Save to file
    std::vector<std::pair<const char*, const char*>> texts;
    const char* focused;  // the field that has to change
    const char* box;
    const char* tab;
  } cases[] = {
      {"Button5", {{"Txdelay", "199"}}, "Txdelay", "TX delay - range error (200 - 1000).", "TabRadio"},
      {"Button5", {{"Ssid", "a"}}, "Ssid", "'a' is not a valid integer value.", "TabRadio"},
      {"Button5",
       {{"Callfilter_ssid7", "x"}},
       "Callfilter_ssid7",
       "Callsign filter 7 - SSID range error (0 - 15, or wildcard '*').",
       "TabDigipeater"},
      {"Button5",
       {{"Beacon3_dest_string", ""}, {"Beacon3_dest_ssid", "x"}},
       "Beacon3_dest_string",
       "Beacon 3 destination - too short (ex. APQX03).",
       "TabBeacons"},
      {"Button5",
       {{"Beacon4_path_ssid", "16"}},
       "Beacon4_path_ssid",
       "Beacon 4 path - SSID range error (0 - 15).",
       "TabBeacons"},
      {"Button5",
       {{"Teleanalog4_coefb", "-1234.567"}},
       "Teleanalog4_coefb",
       "Analog channel 4 coefficient B - too long (max. 8 characters).",
       "PageAnalogChannels"},
      {"Button5",
       {{"Teledata_txrate_rf", "1x"}},
       "Teledata_txrate_rf",
       "'1x' is not a valid integer value.",
       "PageReportSettings"},
      {"Button1",
       {{"Weather_txrate_rf", "5 min"}},
       "Weather_txrate_rf",
       "'5 min' is not a valid integer value.",
       "TabWeather"},
      {"Button1", {{"Tele_holdoff", ""}, {"Txdelay", "x"}}, "Txdelay", "'x' is not a valid integer value.", "TabRadio"},
  };
  for (const auto& c : cases) {
    test::DeskWindow desk;
    auto* tabs = desk.form.findChild<QTabWidget*>("PageControl1");
    tabs->setCurrentIndex(6);
    for (const auto& [name, text] : c.texts) desk.form.settings().setText(name, text);
    desk.record.answerFile(folder.path("focus.cfg"));
    desk.click(c.button);
    EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{c.box}) << c.focused;
    auto& field = test::Find<QLineEdit>(desk.form, c.focused);
    EXPECT_EQ(desk.form.focusWidget(), &field) << c.focused;
    EXPECT_EQ(field.selectedText(), field.text()) << c.focused;
    EXPECT_TRUE(field.isVisibleTo(&desk.form)) << c.focused << " is on a tab behind";
    EXPECT_TRUE(desk.form.findChild<QWidget*>(c.tab)->isVisibleTo(&desk.form)) << c.tab;
  }
}

// A box that is not about a setting moves nothing: a file that cannot be
// written, the unit not found, an accepted write.
TEST(RefusalFocus, OtherBoxesLeaveTheFocusWhereItWas) {
  test::DeskWindow desk;
  QComboBox& ptt = test::Find<QComboBox>(desk.form, "Ptt");
  ptt.setFocus();
  desk.record.answerFile("/nonexistent-folder/x.cfg");
  desk.trigger("ActionSaveToFile");
  desk.trigger("ActionWriteConfig");
  desk.unit->addFault({FaultKind::Unplug, desk.unit->requestCount() + 1});
  desk.trigger("ActionWriteConfig");
  ASSERT_EQ(desk.record.boxTexts(),
            (std::vector<std::string>{
                "Unable to write to /nonexistent-folder/x.cfg.\nNo such file or directory.",
                "Backup failed: the unit's configuration could not be read. Nothing was written to the unit."}));
  EXPECT_EQ(desk.form.focusWidget(), &ptt);
}

}  // namespace
}  // namespace tarnvik
