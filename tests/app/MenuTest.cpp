// The menu bar and the keyboard: every menu entry that has a button runs
// exactly what the button runs, shortcuts and mnemonics reach their
// handlers, and nothing that starts an operation can be used while one runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>
#include <set>

#include "app/FrameActions.h"
#include "app/HelpDialogs.h"
#include "app/ManualText.h"
#include "image/ImageTestSupport.h"
#include "support/DeskWindow.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

// What an operation left behind, to compare two ways of starting it.
struct Effects {
  std::vector<std::string> log, boxes, fileModes;
  std::size_t unitRequests = 0;
  bool operator==(const Effects&) const = default;
};

Effects EffectsOf(test::DeskWindow& desk) {
  Effects e;
  // Each desk keeps its backups in a folder of its own.
  for (QString line : desk.form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n'))
    e.log.push_back(line.replace(QString::fromStdString(desk.backups), QStringLiteral("BACKUPS")).toStdString());
  e.boxes = desk.record.boxTexts();
  for (const FileRequest& r : desk.record.fileRequests)
    e.fileModes.push_back((r.mode == FileRequest::Mode::Save ? "save " : "open ") + r.initialFolder + r.filter);
  e.unitRequests = desk.unit->requestCount();
  return e;
}

TEST(Menu, EntriesWithAButtonRunTheButtonsHandler) {
  const test::TempFolder folder;
  int rows = 0;
  for (const FrameAction& entry : FrameActions()) {
    if (entry.button == nullptr) continue;
    ++rows;
    test::DeskWindow byButton, byMenu;
    for (test::DeskWindow* desk : {&byButton, &byMenu}) {
      desk->unit->setMemory(test::EncodeOrFail(test::FreshSettings()));
      desk->form.settings().setText("Callsign", "SP9MNU");
      desk->answers.push_back(UnsavedAnswer::Discard);   // the reads ask first
      desk->record.answerFile(folder.path(entry.name));  // a file for Save, a missing one for Read
    }
    byButton.click(entry.button);
    byMenu.trigger(entry.name);
    EXPECT_EQ(EffectsOf(byMenu), EffectsOf(byButton)) << entry.name;
    EXPECT_FALSE(EffectsOf(byMenu).log.size() == 1 && EffectsOf(byMenu).boxes.empty() &&
                 EffectsOf(byMenu).fileModes.empty())
        << entry.name << " did nothing";
    EXPECT_EQ(byMenu.form.settings().text("Callsign"), byButton.form.settings().text("Callsign")) << entry.name;
  }
  EXPECT_EQ(rows, 5);
}

TEST(Menu, FirmwareVersionAsksTheUnit) {
  test::DeskWindow desk;
  desk.trigger("ActionFirmwareVersion");
  EXPECT_EQ(desk.record.boxTexts(), std::vector<std::string>{"Firmware version: 1.04"});
}

// Alt with each underlined letter, and the menu shortcuts, as typed.
TEST(Menu, KeysReachTheirHandlers) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifier modifier;
    FileRequest::Mode mode;
  } keys[] = {{Qt::Key_S, Qt::AltModifier, FileRequest::Mode::Save},
              {Qt::Key_O, Qt::AltModifier, FileRequest::Mode::Open},
              {Qt::Key_S, Qt::ControlModifier, FileRequest::Mode::Save},
              {Qt::Key_O, Qt::ControlModifier, FileRequest::Mode::Open}};
  for (const auto& press : keys) {
    test::DeskWindow desk;
    desk.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desk.form));
    QTest::keyClick(&desk.form, press.key, press.modifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desk.record.fileRequests.empty(); }, 2000));
    EXPECT_EQ(desk.record.fileRequests.front().mode, press.mode);
  }
  for (const auto& [key, line] : {std::pair{Qt::Key_R, "Tarnvik found, vid: Vid_0483, pid: A04A"},
                                  std::pair{Qt::Key_W, "Tarnvik found, vid: Vid_0483, pid: A04A"}}) {
    test::DeskWindow desk;
    desk.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desk.form));
    QTest::keyClick(&desk.form, key, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desk.form.operationRunning() && desk.unit->requestCount() > 0; }, 5000));
    EXPECT_TRUE(desk.form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().startsWith(line));
  }
}

// An Alt+letter taken twice would start neither: every mnemonic of the menu
// bar and the frame's buttons is its own.
TEST(Menu, MnemonicsAreUniqueAndLeaveTheCaptionsWhole) {
  test::DeskWindow desk;
  std::set<int> seen;
  QStringList owners;
  for (QAction* menu : desk.form.menuBar()->actions()) owners << menu->text();
  for (const char* name : {"Button1", "Button2", "Button3", "Button4", "Button5"})
    owners << desk.form.findChild<QPushButton*>(name)->text();
  for (const QString& text : owners) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(text);
    ASSERT_FALSE(mnemonic.isEmpty()) << text.toStdString();
    EXPECT_TRUE(seen.insert(mnemonic[0].toCombined()).second) << text.toStdString();
  }
  QStringList captions;
  for (QString text : owners.mid(3)) captions << text.remove('&');
  EXPECT_EQ(captions,
            QStringList({"Save to file", "Read from file", "Upload firmware", "Read config", "Write config"}));
}

// Help: the manual is the README, built into the program; About names the
// versions the program runs with.
TEST(Menu, HelpShowsTheManualAndTheVersions) {
  test::DeskWindow desk;
  desk.trigger("ActionManual");
  auto* manual = desk.form.findChild<QDialog*>("Manual");
  ASSERT_NE(manual, nullptr);
  EXPECT_TRUE(manual->isVisible());
  const QString text = manual->findChild<QTextBrowser*>("ManualText")->toPlainText();
  for (const char* part : {"Menus and keys", "Command-line tool", "USB access on Linux"})
    EXPECT_TRUE(text.contains(part)) << part;
  for (const char* part : {"Set-up on Debian 12", "Building on Windows", "Fuzzing"})
    EXPECT_FALSE(text.contains(part)) << part;
  desk.trigger("ActionManual");  // shown again, not a second window
  EXPECT_EQ(desk.form.findChildren<QDialog*>("Manual").size(), 1);
  const QString about = AboutText();
  for (const QString& part :
       {QStringLiteral("Tarnvik Configurator v1.04"), QStringLiteral("Qt ") + qVersion(), QStringLiteral("hidapi 0.")})
    EXPECT_TRUE(about.contains(part)) << part.toStdString() << " in " << about.toStdString();
}

// The operator's manual keeps the README's opening and the sections about
// using the programs, each with its subsections; a "##" in a code block is
// no heading.
TEST(Menu, TheManualKeepsTheOperatorsSections) {
  const QString readme = QStringLiteral(
      "# Title\nopening\n## The window\nwindow\n### Keys\nkeys\n## Set-up on Debian 12\nbuild\n```\n"
      "## USB access on Linux\n```\nstill build\n## Command-line tool\ntool\n## Fuzzing\nfuzz\n");
  EXPECT_EQ(OperatorManual(readme).split('\n', Qt::SkipEmptyParts),
            QStringList(
                {"# Title", "opening", "## The window", "window", "### Keys", "keys", "## Command-line tool", "tool"}));
}

std::vector<std::string> EnabledEntries(Form1& form) {
  std::vector<std::string> enabled;
  for (const FrameAction& entry : FrameActions())
    if (form.findChild<QAction*>(entry.name)->isEnabled()) enabled.push_back(entry.name);
  return enabled;
}

// While Write config shows its message, every entry that starts an
// operation is disabled and the buttons take no click; Help stays open.
TEST(Menu, OperationsAreDisabledWhileOneRuns) {
  class Watching : public test::RecordingOperator {
   public:
    std::function<void()> whileShown;
    void informationBox(const std::string& text, const std::string& caption) override {
      whileShown();
      RecordingOperator::informationBox(text, caption);
    }
  } record;
  Form1 form{{test::TestClock(), &record}};
  form.show();
  form.settings().setText("Txdelay", "1");
  std::vector<std::string> enabledWhileRunning;
  record.whileShown = [&] {
    enabledWhileRunning = EnabledEntries(form);
    record.answerFile("/nonexistent/x.cfg");
    QTest::mouseClick(form.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    form.findChild<QAction*>("ActionSaveToFile")->trigger();
  };
  form.findChild<QAction*>("ActionWriteConfig")->trigger();
  ASSERT_TRUE(test::WaitForOperation(form));
  EXPECT_EQ(enabledWhileRunning, (std::vector<std::string>{"ActionManual", "ActionAbout", "ActionAboutQt"}));
  EXPECT_TRUE(record.fileRequests.empty());
  EXPECT_EQ(EnabledEntries(form).size(), FrameActions().size());
}

}  // namespace
}  // namespace tarnvik
