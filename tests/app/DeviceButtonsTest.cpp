// The three USB buttons clicked as the operator does, against a simulated
// unit: the log and progress bar of the window, the boxes, what the unit
// holds afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/Form1.h"
#include "core/OperationError.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "image/ImageTestSupport.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/OperationWait.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

const QString kFound = QStringLiteral("Tarnvik found, vid: Vid_0483, pid: A04A");

QStringList Pages(const QString& prefix, int total) {
  QStringList lines;
  for (int n = 1; n <= total; ++n) lines << prefix + QString::number(n) + QLatin1Char('/') + QString::number(total);
  return lines;
}

class DeviceButtons : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }

  TransportFactory factory() {
    return [this] {
      ++transportsMade;
      auto transport = std::make_unique<SimulatedTransport>();
      transport->addUnit("/dev/hidraw4", unit);
      return transport;
    };
  }
  void click(const char* name) {
    QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton);
    ASSERT_TRUE(test::WaitForOperation(form));
  }
  QStringList log() {
    return form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }
  QProgressBar* bar() { return form.findChild<QProgressBar*>("ProgressBar1"); }

  std::shared_ptr<SimulatedUnit> unit = std::make_shared<SimulatedUnit>();
  int transportsMade = 0;
  test::RecordingOperator record;
  Form1 form{{test::TestClock(), &record, factory()}};
};

TEST_F(DeviceButtons, ReadConfigFillsTheSettingsLogsEveryPageAndShowsTheVersion) {
  for (const char* name : {"Button3", "Button4", "Button5"})
    EXPECT_TRUE(form.findChild<QPushButton*>(name)->isEnabled()) << name;
  EXPECT_EQ(transportsMade, 0);  // nothing is opened before the first USB click
  DeviceSettings onUnit = test::FreshSettings();
  onUnit.setText("Callsign", "SP9ABC");
  unit->setMemory(test::EncodeOrFail(onUnit));
  click("Button4");
  EXPECT_EQ(log(), (QStringList{kFound} + Pages(QStringLiteral("Page read: "), 64) +
                    QStringList{QStringLiteral("Eeprom read success."), kFound}));
  EXPECT_EQ(record.boxTexts(), std::vector<std::string>{"Firmware version: 1.04"});
  EXPECT_EQ(form.settings().text("Callsign"), "SP9ABC");
  EXPECT_EQ(bar()->maximum(), 64);
  EXPECT_EQ(bar()->value(), 0);
}

// The unit is new, so blank: nothing to back up before the pages go out;
// the pages are read back after.
// A blank unit (new, or its memory erased) read whole gets a line of its
// own after Read config's messages; a unit whose pages did not all come in
// is never taken for a blank one.
TEST_F(DeviceButtons, ABlankUnitIsNamedOnlyWhenReadWhole) {
  const QString blank =
      QStringLiteral("The unit holds no configuration yet: set up the settings here and write them with Write config.");
  const struct {
    std::uint8_t fill;
    bool unplugged;
    QString before;  // the line before the blank unit's; empty: no such line
  } cases[] = {
      {0x00, false, kFound},  // after the firmware version is asked
      {0xFF, false, QStringLiteral("Eeprom checksum error. Please reload configuration.")},
      {0x00, true, {}},
  };
  for (const auto& c : cases) {
    ConfigImage memory;
    memory.bytes.fill(c.fill);
    unit->setMemory(memory);
    if (c.unplugged) unit->addFault({FaultKind::Unplug, unit->requestCount() + 5});
    const qsizetype lines = log().size();
    click("Button4");
    const QStringList added = log().mid(lines);
    EXPECT_EQ(added.contains(blank), !c.before.isEmpty()) << int(c.fill);
    if (!c.before.isEmpty()) {
      EXPECT_EQ(added.mid(added.size() - 2), (QStringList{c.before, blank}));
    }
  }
}

TEST_F(DeviceButtons, WriteConfigSendsTheSettingsWithThePcClock) {
  form.settings().setText("Callsign", "SP9XYZ");
  form.settings().setText("Rtcyear", "2001");
  click("Button5");
  EXPECT_EQ(log(), QStringList{kFound} + Pages(QStringLiteral("Page read: "), 64) +
                       QStringList{QStringLiteral("The unit is blank: it is written without a backup.")} +
                       Pages(QStringLiteral("Page written: "), 64) +
                       QStringList{QStringLiteral("Eeprom write success")} + Pages(QStringLiteral("Page read: "), 64) +
                       QStringList{QStringLiteral("Verify success: 64 pages match.")});
  const ConfigImage& memory = unit->memory();
  EXPECT_TRUE(CheckImageChecksum(memory));
  EXPECT_EQ(test::Bytes(memory, 14, 6), "SP9XYZ");
  EXPECT_EQ(memory.bytes[124] | memory.bytes[125] << 8, 2026);  // the PC clock replaced 2001

  unit->addFault({FaultKind::OtherCommand, unit->requestCount() + 64 + 5});  // after the backup's 64 pages
  click("Button5");
  EXPECT_EQ(log().last(), QStringLiteral("Page write error: 5/64"));
  EXPECT_EQ(bar()->value(), 4);  // stays where the transfer stopped
  EXPECT_EQ(transportsMade, 1);
}

TEST_F(DeviceButtons, UploadFirmwareAsksInTheFirmwareFolderAndSendsThePages) {
  const test::TempFolder scratch;
  const fs::path file = scratch.path("fw.bin");
  std::ofstream(file, std::ios::binary) << std::string(100, 'F');
  record.answerFile(file.string());
  click("Button3");
  ASSERT_EQ(record.fileRequests.size(), 1u);
  EXPECT_EQ(record.fileRequests[0].initialFolder, ExecutableFolder() + "firmware/");
  EXPECT_EQ(record.fileRequests[0].filter, "");
  EXPECT_EQ(log(), (QStringList{kFound} + Pages(QStringLiteral("Page written: "), 4) +
                    QStringList{QStringLiteral("Firmware upgrade success")}));
  EXPECT_EQ(bar()->maximum(), 4);
  EXPECT_EQ(bar()->value(), 0);
  std::vector<std::uint8_t> sent(128, 0);  // four pages, the last one zero-filled
  std::fill_n(sent.begin(), 100, std::uint8_t('F'));
  EXPECT_EQ(unit->firmware(), sent);
}

TEST_F(DeviceButtons, AUnitMissingOrUnusableEndsTheClickWithoutHarm) {
  unit->addFault({FaultKind::Unplug, 1});
  click("Button5");
  const QString noBackup =
      QStringLiteral("Backup failed: the unit's configuration could not be read. Nothing was written to the unit.");
  EXPECT_EQ(log(), (QStringList{kFound, QStringLiteral("Page read error: 1/64"), noBackup}));
  EXPECT_EQ(record.boxTexts(), std::vector<std::string>{noBackup.toStdString()});
  click("Button3");
  EXPECT_EQ(log().last(), QStringLiteral("Tarnvik not found."));
  EXPECT_TRUE(record.fileRequests.empty());

  test::RecordingOperator boxes;
  Form1 broken{{test::TestClock(), &boxes, []() -> std::unique_ptr<HidTransport> {
                  throw OperationError("Simulated unit: /x: Permission denied");
                }}};
  QTest::mouseClick(broken.findChild<QPushButton*>("Button4"), Qt::LeftButton);
  ASSERT_TRUE(test::WaitForOperation(broken));
  EXPECT_EQ(boxes.boxTexts(), std::vector<std::string>{"Simulated unit: /x: Permission denied."});
  EXPECT_FALSE(broken.operationRunning());
}

// A unit that does not answer holds the operation for its time-out, one
// second; the window's thread meanwhile handles its events and repaints.
TEST_F(DeviceButtons, TheWindowPaintsWhileTheUnitKeepsItWaiting) {
  unit->keepRealTime(true);
  unit->addFault({FaultKind::NoAnswer, unit->requestCount() + 3});
  int ticks = 0, paintsWhileWaiting = 0;
  QTimer ticker;
  QWidget& client = *form.findChild<QWidget*>("ClientArea");
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    ++ticks;
    client.update();
  });
  struct Painted : QObject {
    int* count;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++*count;
      return false;
    }
  } painted;
  painted.count = &paintsWhileWaiting;
  client.installEventFilter(&painted);
  QElapsedTimer wall;
  wall.start();
  QTest::mouseClick(form.findChild<QPushButton*>("Button4"), Qt::LeftButton);
  ASSERT_TRUE(form.operationRunning());
  ticker.start(50);
  ASSERT_TRUE(test::WaitForOperation(form));
  ticker.stop();
  EXPECT_GE(wall.elapsed(), 1000);
  EXPECT_GE(ticks, 10);
  EXPECT_GE(paintsWhileWaiting, 10);
  EXPECT_EQ(log().mid(3, 2), (QStringList{QStringLiteral("Page read error: 3/64"),
                                          QStringLiteral("Tarnvik did not answer within 1000 ms.")}));
  EXPECT_EQ(bar()->value(), 2);
}

// Closing down while the worker waits for a dialog, or before it started,
// releases it: its dialogs answer nothing and the window goes at once.
TEST(DeviceWorkerShutdown, TheWindowGoesWhileAnOperationRuns) {
  for (const bool started : {false, true}) {
    test::RecordingOperator record;
    auto form = std::make_unique<Form1>(WindowServices{test::TestClock(), &record});
    form->settings().setText("Txdelay", "1");  // Write config stops at its message
    form->writeConfig();
    if (started) std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the worker waits for its box
    QElapsedTimer wall;
    wall.start();
    form.reset();
    EXPECT_LT(wall.elapsed(), 1000);
    EXPECT_TRUE(record.boxes.empty());
  }
}

}  // namespace
}  // namespace tarnvik
