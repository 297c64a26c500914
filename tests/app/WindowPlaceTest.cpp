// The window's size and place: it can be made larger, the log taking the
// room and the tabs keeping theirs; on a screen smaller than the window every
// control can still be reached; and its size, place and recent files are
// kept between runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "app/Form1.h"
#include "app/RecentFiles.h"
#include "app/WindowPlace.h"
#include "cfgfile/ConfigFileOps.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

QRect Geometry(Form1& form, const char* name) { return form.findChild<QWidget*>(name)->geometry(); }

TEST(WindowPlace, TheLogTakesTheRoomAWindowMadeLargerGives) {
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QSize least = form.size();
  const struct {
    QSize added;  // to the classic size
    QRect memo, progress;
  } cases[] = {
      {{0, 0}, {8, 320, 721, 73}, {0, 399, 734, 20}},
      {{40, 100}, {8, 320, 761, 173}, {0, 499, 774, 20}},
      {{-200, -150}, {8, 320, 721, 73}, {0, 399, 734, 20}},  // not below its least size
  };
  for (const auto& c : cases) {
    form.resize(least + c.added);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.size(), least.expandedTo(least + c.added));
    EXPECT_EQ(Geometry(form, "Memo1"), c.memo);
    EXPECT_EQ(Geometry(form, "ProgressBar1"), c.progress);
    EXPECT_EQ(Geometry(form, "PageControl1"), QRect(8, 64, 721, 249));
    EXPECT_EQ(Geometry(form, "GroupBox1"), QRect(336, 8, 209, 49));
  }
}

// Twice the scale on a 1280 x 1024 screen leaves 640 x 512 of room: the
// window fits it, and scrolling reaches every part of the client area.
TEST(WindowPlace, OnASmallScreenEveryControlCanBeReached) {
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  const QRect screen(0, 0, 640, 512);
  PlaceWindow(form, screen, nullptr);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QSize room = RoomFor(screen, form);
  EXPECT_LE(form.width(), room.width());
  EXPECT_LE(form.height(), room.height());
  auto* scroller = form.findChild<QScrollArea*>("ClientScroller");
  const QWidget* viewport = scroller->viewport();
  EXPECT_EQ(form.findChild<QWidget*>("ClientArea")->size(), QSize(734, 419));  // whole, not squeezed
  EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), std::max(0, 734 - viewport->width()));
  EXPECT_EQ(scroller->verticalScrollBar()->maximum(), std::max(0, 419 - viewport->height()));
}

// The size, the place (brought back onto a screen) and the recent files of
// one run are those of the next.
TEST(WindowPlace, SizePlaceAndRecentFilesAreKeptBetweenRuns) {
  const test::TempFolder folder;
  const QString memory = QString::fromStdString(folder.path("window.ini"));
  const std::string saved = folder.path("kept.cfg");
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  test::RecordingOperator record;
  QSize size;
  {
    WindowServices services{test::TestClock(), &record};
    services.memoryFile = memory;
    Form1 first(services);
    first.show();
    first.resize(first.size() + QSize(30, 40));
    size = first.size();
    first.move(screen.right() + 500, screen.bottom() + 500);  // the screen it stood on is gone
    record.answerFile(saved);
    first.saveToFile();
    ASSERT_TRUE(first.close());
  }
  WindowServices services{test::TestClock(), &record};
  services.memoryFile = memory;
  Form1 next(services);
  next.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
  EXPECT_EQ(next.size(), size);
  EXPECT_TRUE(screen.intersects(next.frameGeometry()));
  EXPECT_TRUE(screen.contains(next.geometry().topLeft())) << next.geometry().x() << "," << next.geometry().y();
  EXPECT_EQ(next.recentFiles().shown(), std::vector<std::string>{saved});
}

// The newest first, eight at most, only files that exist; picking one opens it.
TEST(RecentFiles, ListTheNewestFilesThatExist) {
  const test::TempFolder folder;
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};
  form.show();
  std::vector<std::string> files;
  for (int n = 0; n < 10; ++n) {
    files.push_back(folder.path("f" + std::to_string(n) + ".cfg"));
    DeviceSettings settings = test::FreshSettings();
    settings.setText("Callsign", "SP9F" + std::to_string(n));
    SaveConfigFile(settings, files.back());
    form.openFile(QString::fromStdString(files.back()));
  }
  std::filesystem::remove(files[8]);
  EXPECT_EQ(form.recentFiles().shown(),
            (std::vector<std::string>{files[9], files[7], files[6], files[5], files[4], files[3], files[2], files[1]}));
  auto* menu = form.findChild<QMenu*>("MenuRecentFiles");
  emit menu->aboutToShow();
  const QList<QAction*> entries = menu->actions();
  ASSERT_EQ(entries.size(), 8);
  EXPECT_EQ(entries[1]->text(), "&2 " + QString::fromStdString(files[7]));
  entries[2]->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.settings().text("Callsign") == "SP9F6"; }, 2000));
  EXPECT_EQ(form.recentFiles().shown().front(), files[6]);
}

}  // namespace
}  // namespace tarnvik
