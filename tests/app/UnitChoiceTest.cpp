// Which unit the window works with: the status line, the Unit menu's list of
// units, a pick that holds until its unit goes, and units pulled out and
// plugged in between operations, with two units on the simulated bus and
// behind the hidapi backend.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "app/Form1.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "support/FreshSettings.h"
#include "support/OperationWait.h"
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

void PickAndLoseAUnit(TwoUnits& units) {
  const QString found = QStringLiteral("Tarnvik found, vid: Vid_0483, pid: A04A");
  const QString p1 = QString::fromStdString(units.path(1)), p2 = QString::fromStdString(units.path(2));
  const QString e1 = p1 + " (serial TV-0001)", e2 = p2 + " (serial TV-0002)";
  UnitChoiceWindow window(units);
  window.relist();
  EXPECT_EQ(window.status(), "Tarnvik connected: " + p1);
  EXPECT_EQ(window.entryTexts(), (QStringList{e1, e2}));

  // No pick: the first unit, and the log says so.
  window.trigger("ActionFirmwareVersion");
  EXPECT_EQ(window.lastLog(), (QStringList{found, "2 units found; using " + p1 + "."}));
  EXPECT_EQ(window.record.boxTexts().back(), "Firmware version: 1.04");

  // The pick holds across listings.
  window.entries()[1]->trigger();
  EXPECT_EQ(window.status(), "Tarnvik connected: " + p2);
  window.relist();
  EXPECT_EQ(window.entryTexts(), (QStringList{e1, e2 + "*"}));
  window.trigger("ActionFirmwareVersion");
  EXPECT_EQ(window.lastLog(), QStringList{found});
  EXPECT_EQ(window.record.boxTexts().back(), "Firmware version: 2.00");

  // Pulled out between two operations: the next one does not fall back on
  // the other unit, and the pick goes with the unit.
  units.pull(2);
  window.trigger("ActionFirmwareVersion");
  EXPECT_EQ(window.lastLog(), (QStringList{"Tarnvik not found.", "No Tarnvik at " + p2 + "."}));
  EXPECT_EQ(window.record.boxes.size(), 2u);
  EXPECT_EQ(window.status(), "Tarnvik connected: " + p1);
  EXPECT_EQ(window.entryTexts(), QStringList{});
  window.trigger("ActionFirmwareVersion");
  EXPECT_EQ(window.lastLog(), QStringList{found});
  EXPECT_EQ(window.record.boxTexts().back(), "Firmware version: 1.04");

  // Back again: listed, not picked.
  units.plug(2);
  window.relist();
  EXPECT_EQ(window.entryTexts(), (QStringList{e1, e2}));
  units.pull(1);
  units.pull(2);
  window.relist();
  EXPECT_EQ(window.status(), "No Tarnvik connected");
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

}  // namespace
}  // namespace tarnvik
