// The "Save to file" and "Read from file" buttons, clicked as the operator
// does, with the file dialogs answered by the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Form1.h"
#include "cfgfile/AtomicFile.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OtherProgram.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

class FileButtons : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  void click(const char* name) { QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton); }

  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  test::TempFolder folder;
  fs::path dir = folder.root();
};

TEST_F(FileButtons, SaveOffersTheConfigFolderAndRemembersTheFile) {
  const std::string target = (dir / "unit1").string();  // typed without extension
  record.answerFile(target);
  click("Button1");
  ASSERT_EQ(record.fileRequests.size(), 1u);
  const FileRequest& first = record.fileRequests[0];
  EXPECT_EQ(first.mode, FileRequest::Mode::Save);
  EXPECT_EQ(first.defaultName, "tarnvik.cfg");
  EXPECT_EQ(first.filter, "Tarnvik config files (*.cfg)|*.cfg");
  EXPECT_EQ(first.initialFolder, ExecutableFolder() + "config/");
  const std::string saved = ReadAll(target);
  EXPECT_EQ(saved.rfind("[!WARNING]\r\n", 0), 0u);
  EXPECT_NE(saved.find("Callsign=NOCALL\r\n"), std::string::npos);
  EXPECT_TRUE(record.boxes.empty());

  click("Button1");  // cancelled this time
  ASSERT_EQ(record.fileRequests.size(), 2u);
  EXPECT_EQ(record.fileRequests[1].defaultName, target);
}

// Another program holds the file: the save waits for it, and meanwhile the
// window's thread goes on (its timers run, it paints); then the save is done.
TEST_F(FileButtons, SaveWaitsForAnotherProgramWhileTheWindowGoesOn) {
  const std::string target = (dir / "held.cfg").string();
  record.answerFile(target);
  click("Button1");
  ASSERT_TRUE(fs::exists(target));
  test::OtherProgram holder([&](const test::OtherProgram::Channel& channel) {
    const platform::FileLock lock = AtomicFile::LockForChange(target);
    channel.tell(lock.held() ? 1 : 0);
    channel.awaitRelease();
  });
  ASSERT_EQ(holder.told(), 1);
  form.settings().setText("Callsign", "SP9WAIT");
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (++ticks == 5) holder.letGo();
  });
  ticker.start(40);
  QElapsedTimer wall;
  wall.start();
  form.findChild<QAction*>("ActionSave")->trigger();
  ticker.stop();
  EXPECT_GE(ticks, 5);
  EXPECT_LT(wall.elapsed(), 5000);  // not the ten seconds after which a save gives up
  EXPECT_TRUE(record.boxes.empty()) << record.boxTexts().front();
  EXPECT_NE(ReadAll(target).find("Callsign=SP9WAIT\r\n"), std::string::npos);
  EXPECT_EQ(holder.release(), 0);
}

TEST_F(FileButtons, SaveRefusesABadNumberWithTheErrorBoxAndWritesNothing) {
  form.settings().setText("Txdelay", "12a");
  const std::string target = (dir / "bad.cfg").string();
  record.answerFile(target);
  click("Button1");
  ASSERT_EQ(record.boxes.size(), 1u);
  EXPECT_EQ(record.boxes[0].kind, test::Box::Kind::Error);
  EXPECT_EQ(record.boxes[0].text, "'12a' is not a valid integer value.");
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(FileButtons, ReadLoadsTheSettingsAndRunsThePortRule) {
  const fs::path file = dir / "in.cfg";
  std::ofstream(file, std::ios::binary) << "[!WARNING]\r\nApplication=Tarnvik Configurator\r\nVersion=v1.04\r\n"
                                           "[Radio]\r\nCallsign=SP9ABC\r\n[SerialPorts]\r\nSerial1=1\r\nSerial2=1\r\n";
  record.answerFile(file.string());
  click("Button2");
  EXPECT_TRUE(record.boxes.empty());
  EXPECT_EQ(form.settings().text("Callsign"), "SP9ABC");
  EXPECT_EQ(form.settings().choice("Serial2_mode"), 1);
  EXPECT_EQ(form.settings().choice("Serial1_mode"), 3);  // the missing station type reads as WS-2300
  EXPECT_FALSE(form.settings().enabled("Serial1_mode"));
  EXPECT_EQ(record.fileRequests[0].mode, FileRequest::Mode::Open);
  EXPECT_EQ(record.fileRequests[0].defaultName, "");
}

TEST_F(FileButtons, ReadOfAMissingFileIsRefusedByItsIdentity) {
  record.answerFile((dir / "nothing-here.cfg").string());
  click("Button2");
  ASSERT_EQ(record.boxes.size(), 1u);
  EXPECT_EQ(record.boxes[0].caption, "Information");
  EXPECT_EQ(record.boxes[0].text,
            "Imported configuration file is not a Tarnvik configuration file. \nOperation aborted.");
  EXPECT_EQ(form.settings().text("Callsign"), "NOCALL");
}

}  // namespace
}  // namespace tarnvik
