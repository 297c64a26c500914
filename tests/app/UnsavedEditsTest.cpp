// The title names the file last read or saved, or the unit last read or
// written, and marks settings that differ from what that left; nothing
// replaces such settings (a read, a file, closing the window) and no save
// replaces a file without a question.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>

#include "cfgfile/ConfigFileOps.h"
#include "image/ImageTestSupport.h"
#include "support/DeskWindow.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

namespace tarnvik {
namespace {

const QString kCaption = QStringLiteral("Tarnvik Configurator v1.04");
const QString kUnit = QStringLiteral("Unit /dev/hidraw4 (serial SIMULATED)");

DeviceSettings WithCallsign(const char* callsign) {
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", callsign);
  return settings;
}

bool Holds(const std::string& path, const char* callsign) {
  return test::ReadAll(path).find("Callsign=" + std::string(callsign) + "\r\n") != std::string::npos;
}

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
  const auto discard = [&] { desk.answers.push_back(UnsavedAnswer::Discard); };
  const struct {
    std::function<void()> step;
    QString title;
  } steps[] = {
      {[] {}, kCaption},
      {[&] { type("Callsign", "SP9ABC"); }, kCaption + "*"},
      {[&] { type("Callsign", "NOCALL"); }, kCaption},  // undone
      {[&] { type("Callsign", "SP9ABC"); }, kCaption + "*"},
      {[&] { desk.record.answerFile(unit1), desk.click("Button1"); }, "unit1.cfg - " + kCaption},
      {[&] { type("Latitude", "5000.00N"); }, "unit1.cfg* - " + kCaption},
      {[&] { desk.click("Button1"); }, "unit1.cfg* - " + kCaption},           // the dialog cancelled
      {[&] { discard(), desk.click("Button4"); }, kUnit + " - " + kCaption},  // the unit's settings now
      {[&] { type("Txdelay", "1"); }, kUnit + "* - " + kCaption},
      {[&] { desk.click("Button5"); }, kUnit + "* - " + kCaption},  // refused
      {[&] { type("Txdelay", "300"); }, kUnit + "* - " + kCaption},
      {[&] { desk.click("Button5"); }, kUnit + " - " + kCaption},  // written
      {[&] { type("Callsign", "SP9XY"); }, kUnit + "* - " + kCaption},
      {[&] { discard(), desk.record.answerFile(bad), desk.click("Button2"); }, kUnit + "* - " + kCaption},
      {[&] {
         discard(), desk.unit->addFault({FaultKind::Unplug, desk.unit->requestCount() + 1}), desk.click("Button4");
       },
       kUnit + "* - " + kCaption},
      {[&] { discard(), desk.record.answerFile(unit1), desk.click("Button2"); }, "unit1.cfg - " + kCaption},
  };
  for (std::size_t n = 0; n < std::size(steps); ++n) {
    steps[n].step();
    EXPECT_EQ(title(), steps[n].title) << "step " << n;
  }
  EXPECT_EQ(desk.form.settings().text("Callsign"), "SP9ABC");
  EXPECT_EQ(desk.asked, 4);
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
    EXPECT_EQ(window.moments, c.answer ? std::vector{UnsavedMoment::Closing} : std::vector<UnsavedMoment>{});
    EXPECT_EQ(std::filesystem::exists(target), c.saved);
    EXPECT_EQ(window.form.isVisible(), !c.closes);
    EXPECT_EQ(window.form.settingsChanged(), !c.closes || c.answer == UnsavedAnswer::Discard);
  }
}

// Each way a file or the unit replaces the window's settings asks first
// when they hold an edit; Save runs a save (its own questions included),
// and the read goes ahead only when the edit was saved or discarded. A save
// asks before it replaces a file, and File > Save asks nothing.
TEST(Questions, NothingIsReplacedWithoutAnAnswer) {
  using A = UnsavedAnswer;
  const auto readFile = [](test::DeskWindow& d) { d.click("Button2"); };
  const auto dropFile = [](test::DeskWindow& d) {
    d.form.openFile(QString::fromStdString(d.folder.path("other.cfg")));
  };
  const auto readUnit = [](test::DeskWindow& d) { d.click("Button4"); };
  const auto saveTo = [](test::DeskWindow& d) { d.click("Button1"); };
  const auto saveToCurrent = [](test::DeskWindow& d) {
    d.click("Button2");  // nothing changed: no question
    d.form.settings().setText("Callsign", "SP9EDT");
    d.trigger("ActionSave");
  };
  const struct {
    const char* name;
    bool edit;
    std::optional<A> answer;
    std::optional<bool> replace;       // the answer to "replace s.cfg?"
    std::vector<const char*> dialogs;  // the file dialogs' answers, in order
    std::function<void(test::DeskWindow&)> act;
    const char* callsign;  // the window's, afterwards
    const char* file;      // which file holds the edit afterwards: "s.cfg", "other.cfg" or none
    int asked, replaceAsked;
  } cases[] = {
      {"read file, Cancel", true, A::Cancel, {}, {"other.cfg"}, readFile, "SP9EDT", "", 1, 0},
      {"read file, Discard", true, A::Discard, {}, {"other.cfg"}, readFile, "SP9OTH", "", 1, 0},
      {"read file, Save", true, A::Save, true, {"other.cfg", "s.cfg"}, readFile, "SP9OTH", "s.cfg", 1, 1},
      {"read file, Save, not replaced", true, A::Save, false, {"other.cfg", "s.cfg"}, readFile, "SP9EDT", "", 1, 1},
      {"read file, edit undone", false, {}, {}, {"other.cfg"}, readFile, "SP9OTH", "", 0, 0},
      {"dropped file, Cancel", true, A::Cancel, {}, {}, dropFile, "SP9EDT", "", 1, 0},
      {"dropped file, Save", true, A::Save, true, {"s.cfg"}, dropFile, "SP9OTH", "s.cfg", 1, 1},
      {"read config, Cancel", true, A::Cancel, {}, {}, readUnit, "SP9EDT", "", 1, 0},
      {"read config, Discard", true, A::Discard, {}, {}, readUnit, "OH2XYZ", "", 1, 0},
      {"read config, no edit", false, {}, {}, {}, readUnit, "OH2XYZ", "", 0, 0},
      {"save to a file that exists, No", true, {}, false, {"s.cfg"}, saveTo, "SP9EDT", "", 0, 1},
      {"save to a file that exists, Replace", true, {}, true, {"s.cfg"}, saveTo, "SP9EDT", "s.cfg", 0, 1},
      {"File > Save to the file read", false, {}, {}, {"other.cfg"}, saveToCurrent, "SP9EDT", "other.cfg", 0, 0},
  };
  for (const auto& c : cases) {
    test::DeskWindow desk;
    SCOPED_TRACE(c.name);
    desk.unit->setMemory(test::EncodeOrFail(WithCallsign("OH2XYZ")));
    SaveConfigFile(WithCallsign("SP9OTH"), desk.folder.path("other.cfg"));
    SaveConfigFile(WithCallsign("SP9OLD"), desk.folder.path("s.cfg"));
    desk.form.settings().setText("Callsign", "SP9EDT");
    if (!c.edit) desk.form.settings().setText("Callsign", "NOCALL");
    if (c.answer) desk.answers.push_back(*c.answer);
    if (c.replace) desk.replaceAnswers.push_back(*c.replace);
    for (const char* file : c.dialogs) desk.record.answerFile(desk.folder.path(file));
    c.act(desk);
    EXPECT_EQ(desk.form.settings().text("Callsign"), c.callsign);
    EXPECT_EQ(Holds(desk.folder.path("s.cfg"), "SP9EDT"), std::string(c.file) == "s.cfg");
    EXPECT_EQ(Holds(desk.folder.path("other.cfg"), "SP9EDT"), std::string(c.file) == "other.cfg");
    EXPECT_EQ(desk.asked, c.asked);
    EXPECT_EQ(desk.replaceAsked.size(), std::size_t(c.replaceAsked));
    EXPECT_EQ(desk.record.fileRequests.size(), c.dialogs.size());
    for (const test::Box& box : desk.record.boxes) EXPECT_NE(box.kind, test::Box::Kind::Error) << box.text;
  }
}

// Save to file proposes the file the title names; after the unit was read
// there is none, so the usual name in the folder last used, and File > Save
// asks for a name too.
TEST_F(UnsavedEdits, SaveProposesTheFileTheTitleNames) {
  const std::string other = folder.path("other.cfg");
  SaveConfigFile(WithCallsign("SP9OTH"), other);
  desk.unit->setMemory(test::EncodeOrFail(test::FreshSettings()));
  desk.record.answerFile(other);
  desk.click("Button2");
  desk.click("Button1");  // cancelled
  desk.click("Button4");
  desk.trigger("ActionSave");  // cancelled
  ASSERT_EQ(desk.record.fileRequests.size(), 3u);
  for (std::size_t n : {1, 2}) {
    EXPECT_EQ(desk.record.fileRequests[n].mode, FileRequest::Mode::Save);
    EXPECT_EQ(desk.record.fileRequests[n].initialFolder, folder.root() + test::kSeparator);
    EXPECT_EQ(desk.record.fileRequests[n].title, "Save to file");
  }
  EXPECT_EQ(desk.record.fileRequests[1].defaultName, other);
  EXPECT_EQ(desk.record.fileRequests[2].defaultName, "tarnvik.cfg");
}

}  // namespace
}  // namespace tarnvik
