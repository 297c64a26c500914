// The title names the file last read or saved and marks settings changed
// since the last Save to file, Read from file, Read config or Write config;
// closing the window with such changes asks first.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>

#include "image/ImageTestSupport.h"
#include "support/DeskWindow.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

const QString kCaption = QStringLiteral("Tarnvik Configurator v1.04");

class UnsavedEdits : public ::testing::Test {
 protected:
  void type(const char* field, const char* text) { test::TypeOver(test::Find<QLineEdit>(desk.form, field), text); }
  QString title() { return desk.form.windowTitle(); }

  test::DeskWindow desk;
  test::TempFolder folder;
};

TEST_F(UnsavedEdits, TitleFollowsEveryWayTheSettingsMeetAFileOrTheUnit) {
  const std::string unit1 = folder.path("unit1.cfg"), bad = folder.path("bad.cfg");
  test::WriteAll(bad, "not ours");
  desk.unit->setMemory(test::EncodeOrFail(test::FreshSettings()));
  const struct {
    std::function<void()> step;
    QString title;
  } steps[] = {
      {[] {}, kCaption},
      {[&] { type("Callsign", "SP9ABC"); }, kCaption + "*"},
      {[&] { desk.record.answerFile(unit1), desk.click("Button1"); }, "unit1.cfg - " + kCaption},
      {[&] { type("Latitude", "5000.00N"); }, "unit1.cfg* - " + kCaption},
      {[&] { desk.click("Button1"); }, "unit1.cfg* - " + kCaption},  // the dialog cancelled
      {[&] { desk.click("Button4"); }, "unit1.cfg - " + kCaption},   // the unit's settings now
      {[&] { type("Txdelay", "1"); }, "unit1.cfg* - " + kCaption},
      {[&] { desk.click("Button5"); }, "unit1.cfg* - " + kCaption},  // refused
      {[&] { type("Txdelay", "300"); }, "unit1.cfg* - " + kCaption},
      {[&] { desk.click("Button5"); }, "unit1.cfg - " + kCaption},  // written
      {[&] { type("Callsign", "SP9XY"); }, "unit1.cfg* - " + kCaption},
      {[&] { desk.record.answerFile(bad), desk.click("Button2"); }, "unit1.cfg* - " + kCaption},  // refused
      {[&] {
         desk.unit->addFault({FaultKind::Unplug, desk.unit->requestCount() + 1}), desk.click("Button4");
       },
       "unit1.cfg* - " + kCaption},
      {[&] { desk.record.answerFile(unit1), desk.click("Button2"); }, "unit1.cfg - " + kCaption},
  };
  for (std::size_t n = 0; n < std::size(steps); ++n) {
    steps[n].step();
    EXPECT_EQ(title(), steps[n].title) << "step " << n;
  }
  EXPECT_EQ(desk.form.settings().text("Callsign"), "SP9ABC");
}

// The three answers, a save that does not happen, and no question at all.
TEST_F(UnsavedEdits, ClosingWithChangesAsksAndKeepsThemUnlessSavedOrDiscarded) {
  const struct {
    bool change;
    std::optional<UnsavedAnswer> answer;
    std::optional<std::string> saveAs;  // the save dialog's answer
    const char* txdelay;
    bool closes;
    bool saved;
  } cases[] = {
      {false, std::nullopt, std::nullopt, "250", true, false},
      {true, UnsavedAnswer::Discard, std::nullopt, "300", true, false},
      {true, UnsavedAnswer::Cancel, std::nullopt, "300", false, false},
      {true, UnsavedAnswer::Save, "s.cfg", "300", true, true},
      {true, UnsavedAnswer::Save, std::nullopt, "300", false, false},  // save dialog cancelled
      {true, UnsavedAnswer::Save, "s.cfg", "2x", false, false},        // the number does not convert
  };
  for (const auto& c : cases) {
    test::DeskWindow window;
    const std::string target = folder.path("s.cfg");
    std::filesystem::remove(target);
    if (c.change) window.form.settings().setText("Txdelay", c.txdelay);
    if (c.answer) window.answers.push_back(*c.answer);
    if (c.saveAs) window.record.answerFile(folder.path(*c.saveAs));
    EXPECT_EQ(window.form.close(), c.closes);
    EXPECT_EQ(window.asked, c.answer ? 1 : 0);
    EXPECT_EQ(std::filesystem::exists(target), c.saved);
    EXPECT_EQ(window.form.isVisible(), !c.closes);
    EXPECT_EQ(window.form.settingsChanged(), !c.closes || c.answer == UnsavedAnswer::Discard);
  }
}

}  // namespace
}  // namespace tarnvik
