// Save to file while another program holds the file: the window goes on
// painting and taking timer events, and the save ends once the file is let
// go. The other program is a forked child (POSIX systems only).
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/FileButtonsFixture.h"
#include "cfgfile/AtomicFile.h"
#include "support/OtherProgram.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

using FileButtons = test::FileButtons;

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

}  // namespace
}  // namespace tarnvik
