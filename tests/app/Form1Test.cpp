#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <stdexcept>

#include "app/Form1.h"
#include "core/OperationError.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

class Frame : public ::testing::Test {
 protected:
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record}};

  QPlainTextEdit* memo() { return form.findChild<QPlainTextEdit*>("Memo1"); }
  QProgressBar* bar() { return form.findChild<QProgressBar*>("ProgressBar1"); }
  QStringList logLines() { return memo()->toPlainText().split('\n', Qt::SkipEmptyParts); }
};

// The menu bar stands above the client area, which opens at its classic
// size, its least, and the status line below it.
TEST_F(Frame, CaptionSizeAndBorder) {
  form.show();
  EXPECT_EQ(form.windowTitle(), "Tarnvik Configurator v1.04");
  EXPECT_EQ(form.centralWidget()->objectName(), "ClientScroller");
  EXPECT_EQ(form.centralWidget()->size(), QSize(734, 419));
  EXPECT_EQ(form.findChild<QWidget*>("ClientArea")->size(), QSize(734, 419));
  EXPECT_EQ(form.centralWidget()->geometry().top(), form.menuBar()->geometry().bottom() + 1);
  EXPECT_EQ(form.statusBar()->geometry().top(), form.centralWidget()->geometry().bottom() + 1);
  EXPECT_EQ(form.size(), QSize(734, 419 + form.menuBar()->height() + form.statusBar()->height()));
  EXPECT_EQ(form.minimumSize(), form.size());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(form.settings().text("Rtchour"), "9");
}

// The buttons are wider than the classic 89 pixels and move within their
// groups, so that "Upload firmware" shows whole at the desktop's font.
TEST_F(Frame, ControlsStandWhereTheLayoutPutsThem) {
  const struct {
    const char *name, *parent;
    QRect geometry;
  } expected[] = {
      {"GroupBox3", "ClientArea", {8, 8, 321, 49}},   {"Button4", "GroupBox3", {6, 14, 97, 25}},
      {"Button5", "GroupBox3", {106, 14, 97, 25}},    {"Button3", "GroupBox3", {206, 14, 109, 25}},
      {"GroupBox1", "ClientArea", {336, 8, 209, 49}}, {"Button1", "GroupBox1", {6, 16, 97, 25}},
      {"Button2", "GroupBox1", {106, 16, 97, 25}},    {"PageControl1", "ClientArea", {8, 64, 721, 249}},
      {"Memo1", "ClientArea", {8, 320, 721, 73}},     {"ProgressBar1", "ClientArea", {0, 399, 734, 20}},
      {"Image1", "ClientArea", {552, 12, 169, 41}},
  };
  for (const auto& place : expected) {
    auto* widget = form.findChild<QWidget*>(place.name);
    ASSERT_NE(widget, nullptr) << place.name;
    EXPECT_EQ(widget->geometry(), place.geometry) << place.name;
    EXPECT_EQ(widget->parentWidget()->objectName(), place.parent) << place.name;
  }
  EXPECT_EQ(form.findChild<QPushButton*>("Button3")->text().remove('&'), "Upload firmware");
  EXPECT_EQ(form.findChild<QGroupBox*>("GroupBox1")->title(), "Configuration import/export:");
  EXPECT_FALSE(form.findChild<QLabel*>("Image1")->pixmap().isNull());
}

TEST_F(Frame, SevenTabsRadioFirst) {
  auto* tabs = form.findChild<QTabWidget*>("PageControl1");
  ASSERT_EQ(tabs->count(), 7);
  QStringList captions;
  for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
  EXPECT_EQ(captions, QStringList({"Radio", "Digipeater", "Beacons", "Weather", "RTC time", "Telemetry reports",
                                   "Serial ports"}));
  EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(Frame, LogKeepsTheLinesOfEveryOperationOldestFirst) {
  EXPECT_TRUE(memo()->isReadOnly());
  for (const char* name : {"first", "second", "third"})
    form.runOperation([&, name] {
      form.reporter().logLine(std::string(name) + " begins");
      form.reporter().logLine(std::string(name) + " ends");
    });
  EXPECT_EQ(logLines(),
            QStringList({"first begins", "first ends", "second begins", "second ends", "third begins", "third ends"}));
}

TEST_F(Frame, ProgressBarAfterCompleteAndFailedTransfers) {
  EXPECT_EQ(bar()->maximum(), 100);
  form.runOperation([&] {
    form.reporter().progressStart(64);
    for (int page = 0; page < 64; ++page) form.reporter().progressStep();
    form.reporter().progressReset();
  });
  EXPECT_EQ(bar()->maximum(), 64);
  EXPECT_EQ(bar()->value(), 0);
  form.runOperation([&] {  // fails at its fifth page
    form.reporter().progressStart(64);
    for (int page = 0; page < 4; ++page) form.reporter().progressStep();
  });
  EXPECT_EQ(bar()->value(), 4);
  form.runOperation([&] { form.reporter().progressStart(2); });
  EXPECT_EQ(bar()->value(), 0);
  EXPECT_EQ(bar()->maximum(), 2);
}

TEST_F(Frame, EmptyTransferShowsAnEmptyBarNotABusyOne) {
  form.runOperation([&] {
    form.reporter().progressStart(0);
    form.reporter().progressReset();
  });
  EXPECT_EQ(bar()->value(), 0);
  EXPECT_GT(bar()->maximum(), bar()->minimum());
}

TEST_F(Frame, EscapingErrorReachesTheErrorBoxAndWhatWasDoneStays) {
  form.runOperation([&] {
    form.reporter().logLine("before the error");
    form.settings().setText("Callsign", "SP9ABC");
    throw ConversionError("12a");
  });
  ASSERT_EQ(record.boxes.size(), 1u);
  EXPECT_EQ(record.boxes[0].kind, test::Box::Kind::Error);
  EXPECT_EQ(record.boxes[0].caption, "Tarnvik Configurator");
  EXPECT_EQ(record.boxes[0].text, "'12a' is not a valid integer value.");
  EXPECT_EQ(logLines(), QStringList({"before the error"}));
  EXPECT_EQ(form.settings().text("Callsign"), "SP9ABC");
  EXPECT_FALSE(form.operationRunning());
  form.runOperation([&] { throw std::runtime_error("disk on fire"); });
  EXPECT_EQ(record.boxes.back().text, "disk on fire.");
}

TEST_F(Frame, NoOtherInputWhileAnOperationRuns) {
  form.show();
  auto* save = form.findChild<QPushButton*>("Button1");
  int clicks = 0, nested = 0;
  QObject::connect(save, &QPushButton::clicked, [&] { ++clicks; });
  form.runOperation([&] {
    EXPECT_TRUE(form.operationRunning());
    QTest::mouseClick(save, Qt::LeftButton);
    form.runOperation([&] { ++nested; });
    EXPECT_FALSE(form.close());
  });
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(nested, 0);
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tarnvik
