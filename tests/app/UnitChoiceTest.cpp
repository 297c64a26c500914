// Which unit the window works with: the status line, the Unit menu's list of
// units, a pick that holds while its unit is away, and units pulled out and
// plugged in between operations, with two units on the simulated bus and
// behind the hidapi backend.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/Form1.h"
#include "app/QtDialogs.h"
#include "device/FirmwareUpload.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "image/ImageTestSupport.h"
#include "safeguard/WriteWarnings.h"
#include "support/FreshSettings.h"
#include "support/OperationWait.h"
#include "support/QtPrinters.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

#ifdef TARNVIK_TEST_HIDAPI
#include "support/HidapiDouble.h"
#endif

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

// Two units, the second with firmware 2.00, that a test plugs and pulls.
class TwoUnits {
 public:
  virtual ~TwoUnits() = default;
  virtual std::string path(int n) const = 0;  // n: 1 or 2
  virtual void pull(int n) = 0;
  virtual void plug(int n) = 0;
  virtual TransportFactory transport() = 0;
  std::string serial(int n) const { return "TV-000" + std::to_string(n); }
};

// Units kept in folders of a simulated bus: pulled out by their "unplugged" file.
class BusUnits : public TwoUnits {
 public:
  BusUnits() {
    for (int n : {1, 2}) {
      fs::create_directory(folder(n));
      test::WriteAll(folder(n) + "/memory.bin", std::string(2048, '\0'));
      test::WriteAll(folder(n) + "/version", n == 1 ? "104\n" : "200\n");
      test::WriteAll(folder(n) + "/serial", serial(n) + "\n");
    }
  }
  std::string path(int n) const override { return "simulated:" + folder(n); }
  void pull(int n) override { test::WriteAll(folder(n) + "/unplugged", ""); }
  void hold(int n, const ConfigImage& image) {
    test::WriteAll(folder(n) + "/memory.bin", std::string(image.bytes.begin(), image.bytes.end()));
  }
  // The callsign the unit holds, and how many firmware bytes it was sent.
  std::string callsign(int n) const { return test::ReadAll(folder(n) + "/memory.bin").substr(14, 6); }
  std::size_t firmware(int n) const { return test::ReadAll(folder(n) + "/firmware.bin").size(); }
  void plug(int n) override { fs::remove(folder(n) + "/unplugged"); }
  TransportFactory transport() override {
    return [bus = bus_.root()] { return SimulatedUnitInFolder(bus); };
  }

 private:
  std::string folder(int n) const { return bus_.path("unit" + std::to_string(n)); }
  test::TempFolder bus_;
};

#ifdef TARNVIK_TEST_HIDAPI
// Units in memory behind the real hidapi backend, over the hidapi double.
class HidapiUnits : public TwoUnits {
 public:
  HidapiUnits() {
    test::HidapiDouble::reset();
    units_[1]->setVersion(200);
    plug(1);
    plug(2);
  }
  ~HidapiUnits() override { test::HidapiDouble::reset(); }
  std::string path(int n) const override { return "/dev/hidraw" + std::to_string(3 + n); }
  void pull(int n) override { test::HidapiDouble::pull(path(n)); }
  void plug(int n) override { test::HidapiDouble::plug(path(n), units_[n - 1], serial(n)); }
  TransportFactory transport() override {
    return [locks = locks_.root()] { return std::make_unique<test::HidapiOnDesk>(locks); };
  }

 private:
  std::shared_ptr<SimulatedUnit> units_[2] = {std::make_shared<SimulatedUnit>(), std::make_shared<SimulatedUnit>()};
  test::TempFolder locks_;
};
#endif

class UnitChoiceWindow {
 public:
  explicit UnitChoiceWindow(TwoUnits& units)
      : form{{test::TestClock(), &record, units.transport(), nullptr, backups.path("b"), nullptr,
              std::chrono::milliseconds(0)}} {
    form.show();
  }

  // A listing of the units as they are now, and its result shown.
  void relist() {
    QSignalSpy listed(&form.unitWatch(), &UnitWatch::listed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.unitWatch().checking(); }, 5000));
    listed.clear();
    form.unitWatch().checkNow();
    ASSERT_TRUE(listed.wait(5000));
  }
  // Runs a menu entry; the listing that follows every operation is waited for.
  void trigger(const char* action) {
    QSignalSpy listed(&form.unitWatch(), &UnitWatch::listed);
    form.findChild<QAction*>(action)->trigger();
    ASSERT_TRUE(test::WaitForOperation(form));
    ASSERT_TRUE(listed.count() > 0 || listed.wait(5000));
  }
  QString status() const { return form.findChild<QLabel*>("UnitStatus")->text(); }
  QList<QAction*> entries() const {
    return form.menuBar()->findChild<QMenu*>("MenuUnit")->findChildren<QAction*>("UnitEntry");
  }
  QStringList entryTexts() const {
    QStringList texts;
    for (QAction* entry : entries()) texts << entry->text() + (entry->isChecked() ? "*" : "");
    return texts;
  }
  // The log lines the last operation added.
  QStringList lastLog() {
    const QStringList all = form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n', Qt::SkipEmptyParts);
    QStringList added = all.mid(logged_);
    logged_ = all.size();
    return added;
  }

  test::RecordingOperator record;
  test::TempFolder backups;
  Form1 form;

 private:
  qsizetype logged_ = 0;
};

// One step of the operator's (units pulled out, plugged in, a Unit menu entry
// picked, then a listing), then the status line and the Unit menu's entries
// (the pick marked *), and for a firmware version query its log lines and
// the box it showed (none: "").
struct PickStep {
  const char* what;
  std::vector<int> pull, plug;
  int pick;  // -1: none
  QString status;
  QStringList entries;
  QStringList log;
  std::string box;
};

std::vector<PickStep> PickSteps(const TwoUnits& units) {
  const QString found = QStringLiteral("Tarnvik found, vid: Vid_0483, pid: A04A");
  const QString p1 = QString::fromStdString(units.path(1)), p2 = QString::fromStdString(units.path(2));
  const QString e1 = p1 + " (serial TV-0001)", e2 = p2 + " (serial TV-0002)", away = " - not connected*";
  const QStringList lost{"Tarnvik not found.", "No Tarnvik at " + p2 + "."};
  const QString on1 = "Tarnvik connected: " + p1, on2 = "Tarnvik connected: " + p2;
  const QString off2 = "Tarnvik not connected: " + p2;
  const std::string v1 = "Firmware version: 1.04", v2 = "Firmware version: 2.00";
  return {
      {"listed", {}, {}, -1, on1, {e1, e2}, {found, "2 units found; using " + p1 + "."}, v1},
      {"the second picked", {}, {}, 1, on2, {e1, e2 + "*"}, {found}, v2},
      {"the pick pulled out stays picked", {2}, {}, -1, off2, {e1, e2 + away}, lost, ""},
      {"no unit at all", {1}, {}, -1, off2, {e2 + away}, lost, ""},
      {"both back", {}, {1, 2}, -1, on2, {e1, e2 + "*"}, {found}, v2},
      {"away again", {2}, {}, -1, off2, {e1, e2 + away}, lost, ""},
      {"the other picked", {}, {}, 0, on1, {}, {found}, v1},
  };
}

// The pick holds while its unit is away: the status line and the menu say
// so, and operations end with "No Tarnvik at PATH." rather than use the other
// unit, until the unit is back or another is picked.
void PickAndLoseAUnit(TwoUnits& units) {
  UnitChoiceWindow window(units);
  for (const PickStep& step : PickSteps(units)) {
    SCOPED_TRACE(step.what);
    for (int n : step.pull) units.pull(n);
    for (int n : step.plug) units.plug(n);
    if (step.pick >= 0) window.entries()[step.pick]->trigger();
    window.relist();
    EXPECT_EQ(window.status(), step.status);
    EXPECT_EQ(window.entryTexts(), step.entries);
    const std::size_t boxes = window.record.boxes.size();
    window.lastLog();
    window.trigger("ActionFirmwareVersion");
    EXPECT_EQ(window.lastLog(), step.log);
    EXPECT_EQ(window.record.boxes.size(), boxes + (step.box.empty() ? 0 : 1));
    if (!step.box.empty()) {
      EXPECT_EQ(window.record.boxTexts().back(), step.box);
    }
    EXPECT_EQ(window.status(), step.status);
  }
}

TEST(UnitChoice, TwoUnitsOnTheSimulatedBus) {
  BusUnits units;
  PickAndLoseAUnit(units);
}

#ifdef TARNVIK_TEST_HIDAPI
TEST(UnitChoice, TwoUnitsBehindHidapi) {
  HidapiUnits units;
  PickAndLoseAUnit(units);
}
#endif

// What the operator does before the question: read a unit, pick one, change
// a setting.
using Before = std::function<void(UnitChoiceWindow&)>;

struct QuestionCase {
  const char* name;
  Before before;
  const char* action;
  std::optional<bool> answer;          // nothing: no question expected
  std::vector<std::string> questions;  // asked, in order
  QString last;                        // the last line the action logged; "": none
  std::string callsign2;               // what unit 2 holds afterwards
  std::size_t firmware1;               // the firmware bytes unit 1 received
};

std::vector<QuestionCase> QuestionCases(const BusUnits& units, const std::string& firmware) {
  const std::string u1 = units.path(1) + " (serial TV-0001)", u2 = units.path(2) + " (serial TV-0002)";
  const std::string upload = "Upload the firmware " + firmware + " (100 bytes) to the Tarnvik at " + u1 + "?";
  const std::string other = "The Tarnvik at " + u2 + " is not the unit last read or written (" + u1 +
                            ").\nWrite the configuration to the Tarnvik at " + u2 + "?";
  const Before nothing = [](UnitChoiceWindow&) {};
  const Before readOne = [](UnitChoiceWindow& w) { w.trigger("ActionReadConfig"); };
  const Before takeTwo = [](UnitChoiceWindow& w) {
    w.trigger("ActionReadConfig");
    w.relist();
    w.entries()[1]->trigger();
  };
  const Before refused = [=](UnitChoiceWindow& w) {
    takeTwo(w);
    w.form.settings().setText("Txdelay", "1");
  };
  const QString verified = "Verify success: 64 pages match.", upgraded = "Firmware upgrade success";
  const char *write = "ActionWriteConfig", *flash = "ActionUploadFirmware";
  return {
      {"firmware, No", nothing, flash, false, {upload}, kFirmwareDeclinedLine, "OH2ABC", 0},
      {"firmware, Yes", nothing, flash, true, {upload}, upgraded, "OH2ABC", 128},
      {"write, no unit read before", nothing, write, {}, {}, verified, "OH2ABC", 0},
      {"write to the unit read", readOne, write, {}, {}, verified, "OH2ABC", 0},
      {"write to another unit, No", takeTwo, write, false, {other}, kWriteDeclinedLine, "OH2ABC", 0},
      {"write to another unit, Yes", takeTwo, write, true, {other}, verified, "OH2XYZ", 0},
      {"the settings are checked first", refused, write, true, {}, "", "OH2ABC", 0},
  };
}

// Nothing goes to a unit unasked that the operator may not mean: a firmware
// upload names the file, its size and the unit, and a write to another unit
// than the one last read or written names both; No sends nothing.
TEST(UnitQuestions, AskedBeforeFirmwareAndBeforeWritingAnotherUnit) {
  const test::TempFolder scratch;
  const std::string firmware = scratch.path("fw.bin");
  test::WriteAll(firmware, std::string(100, 'F'));
  DeviceSettings first = test::FreshSettings(), second = test::FreshSettings();
  first.setText("Callsign", "OH2XYZ");
  second.setText("Callsign", "OH2ABC");
  const std::size_t count = QuestionCases(BusUnits(), firmware).size();
  for (std::size_t i = 0; i < count; ++i) {
    BusUnits units;  // each case on units of its own: its texts name their paths
    const QuestionCase c = QuestionCases(units, firmware)[i];
    SCOPED_TRACE(c.name);
    units.hold(1, test::EncodeOrFail(first));
    units.hold(2, test::EncodeOrFail(second));
    UnitChoiceWindow window(units);
    c.before(window);
    window.record.answerFile(firmware);
    if (c.answer) window.record.answerQuestion(*c.answer);
    window.lastLog();
    window.trigger(c.action);
    EXPECT_EQ(window.record.questions, c.questions);
    const QStringList logged = window.lastLog();
    EXPECT_EQ(logged.isEmpty() ? QString() : logged.last(), c.last);
    EXPECT_EQ(units.callsign(2), c.callsign2);
    EXPECT_EQ(units.firmware(1), c.firmware1);
  }
}

// The question box: its default button and Escape answer No.
TEST(UnitQuestions, TheBoxAnswersNoUnlessYesIsChosen) {
  for (const int key : {int(Qt::Key_Return), int(Qt::Key_Escape), 0}) {  // 0: Yes clicked
    QWidget parent;
    QtDialogs dialogs(parent);
    QTimer::singleShot(0, [key] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
      if (key == 0)
        box->button(QMessageBox::Yes)->click();
      else
        QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    EXPECT_EQ(dialogs.askYesNo({"Upload the firmware ", "fw.bin", "?"}), key == 0) << key;
  }
}

}  // namespace
}  // namespace tarnvik
