// The window's safeguards as the operator meets them: the backup and the
// read-back of Write config, compare with the unit and with a file, and the
// backups folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <filesystem>

#include "app/CompareDialog.h"
#include "app/Form1.h"
#include "cfgfile/ConfigFileOps.h"
#include "image/ImageTestSupport.h"
#include "support/DeskWindow.h"

namespace tarnvik {
namespace {

namespace fs = std::filesystem;

// A desk whose file manager is a list of the folders it was asked to open.
struct SafeDesk {
  SafeDesk() { form.show(); }
  void trigger(const char* action) {
    form.findChild<QAction*>(action)->trigger();
    ASSERT_TRUE(test::WaitForOperation(form));
  }
  QStringList log() const {
    return form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n', Qt::SkipEmptyParts);
  }
  int bar() const { return form.findChild<QProgressBar*>("ProgressBar1")->value(); }
  CompareDialog* dialog() const { return form.findChild<CompareDialog*>("CompareDialog"); }

  std::shared_ptr<SimulatedUnit> unit = std::make_shared<SimulatedUnit>();
  test::RecordingOperator record;
  test::TempFolder folder;
  std::vector<std::string> opened;
  bool opens = true;  // a file manager could be started
  Form1 form{{test::TestClock(), &record,
              [unit = unit] {
                auto transport = std::make_unique<SimulatedTransport>();
                transport->addUnit("/dev/hidraw4", unit);
                return transport;
              },
              nullptr, folder.path("backups"),
              [this](const std::string& f) {
                opened.push_back(f);
                return opens;
              },
              std::chrono::milliseconds(0)}};
};

DeviceSettings OnUnit() {
  DeviceSettings settings = test::FreshSettings();
  settings.setText("Callsign", "OH2XYZ");
  settings.setText("Ssid", "4");
  return settings;
}

// The files in a folder, sorted.
std::vector<std::string> Files(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

const std::string kStem = "2026-07-03_09-05-00Z_OH2XYZ-4";  // the backup made at the test clock's time

struct WriteCase {
  const char* name;
  ConfigImage held;
  std::vector<Fault> faults;
  int old;                         // backups in the folder before, a minute apart
  std::string says;                // a line of the log
  bool backup;                     // a new backup (kStem's .bin and .cfg) is made
  std::vector<std::string> boxes;  // also the log's last lines; the backups folder shown as BACKUPS
  test::Box::Kind box = test::Box::Kind::Information;
  bool written = true;  // the window's settings went to the unit
  int bar = 0;          // where the progress bar stands afterwards
  bool later = false;   // the old backups are named with times after now
};

std::vector<WriteCase> WriteCases() {
  const std::string unread =
      "Backup failed: the unit's configuration could not be read. Nothing was written to the unit.";
  const std::string page40 = "Page 40/64 (bytes 1248 to 1279): Teledigital1_name";
  const std::string cutOff = "Write config was cut off: the unit now holds a partly written configuration.\n";
  const std::string cutBackup = cutOff + "The backup made before the write is BACKUPS/" + kStem +
                                ".cfg: read it back with Read from file and write it again.";
  const std::string cutBlank =
      cutOff + "It was blank before the write, so there is no backup: write the configuration again.";
  const std::string damaged = "Verify error: 1 page of 64 differs from what was written.\n" + page40;
  const std::string shortAnswer = "Tarnvik answered with 3 of 65 bytes, too few to hold a page.";
  const std::string backedUp = "Backup of the unit: BACKUPS/" + kStem + ".cfg";
  const std::string verified = "Verify success: 64 pages match.";
  const ConfigImage station = test::EncodeOrFail(OnUnit()), blank{};
  const auto info = test::Box::Kind::Information, error = test::Box::Kind::Error;
  using K = FaultKind;
  return {
      {"BackedUpAndReadBack", station, {}, 0, backedUp, true, {}},
      {"NewestHundredKept", station, {}, 100, verified, true, {}},
      {"NewerNamesKeepTheNewBackup", station, {}, 100, verified, true, {}, info, true, 0, true},
      {"BlankUnit", blank, {}, 3, "The unit is blank: it is written without a backup.", false, {}},
      {"BackupFails", station, {{K::OtherCommand, 10}}, 0, "Page read error: 10/64", false, {unread}, info, false, 9},
      // Page 2 of zeros, its answer cut to 3 bytes.
      {"AShortAnswerMakesNoBlankUnit", blank, {{K::TrimmedAnswer, 2}}, 0, shortAnswer, false, {unread}, info, false, 1},
      {"CutOffNamesTheBackup", station, {{K::Unplug, 64 + 5}}, 0, "Page write error: 5/64", true, {cutBackup}, error},
      {"CutOffOnABlankUnit", blank, {{K::OtherCommand, 64 + 2}}, 0, "Page write error: 2/64", false, {cutBlank}, error},
      {"DamagedPageNamed", station, {{K::BadStore, 64 + 40}}, 0, page40, true, {damaged}},
  };
}

// Write config in the window: the backup's files and log line, the newest
// hundred backups kept (the one just made among them, whatever the names
// beside it), a blank unit written without one, nothing written when the
// backup fails or answers are too short to tell a blank unit, a write cut
// off half way named in an error box with the backup to write back, and a
// page that went in damaged named by the read-back, in the log and in a box.
TEST(SafeguardWindow, WriteConfigBacksTheUnitUpAndReadsItBack) {
  for (const WriteCase& c : WriteCases()) {
    SCOPED_TRACE(c.name);
    SafeDesk desk;
    const std::string folder = desk.folder.path("backups");
    fs::create_directory(folder);
    std::vector<std::string> old;  // newest first
    for (int i = 1; i <= c.old; ++i) {
      const int minutes = c.later ? c.old + 1 - i : -i;
      old.push_back(BackupStem(test::TestClock()() + 60 * minutes, "OH2XYZ", "4") + ".bin");
      test::WriteAll(folder + "/" + old.back(), "x");
    }
    desk.unit->setMemory(c.held);
    for (const Fault& fault : c.faults) desk.unit->addFault(fault);
    desk.trigger("ActionWriteConfig");

    // The backups folder as BACKUPS, and the system's separator after it as '/'.
    const auto shown = [&](QString text) {
      return text.replace(QString::fromStdString(folder), "BACKUPS").replace("BACKUPS\\", "BACKUPS/");
    };
    QStringList log;
    for (const QString& line : desk.log()) log << shown(line);
    std::vector<std::string> boxes;
    for (const std::string& box : desk.record.boxTexts())
      boxes.push_back(shown(QString::fromStdString(box)).toStdString());
    EXPECT_TRUE(log.contains(QString::fromStdString(c.says))) << log.join('\n').toStdString();
    std::vector<std::string> files;
    if (c.backup) files = {kStem + ".bin", kStem + ".cfg"};
    old.resize(std::min<std::size_t>(old.size(), BackupFolder::kKeptBackups - (c.backup ? 1 : 0)));
    files.insert(files.end(), old.begin(), old.end());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(Files(folder), files);
    EXPECT_EQ(boxes, c.boxes);
    if (!boxes.empty()) {
      EXPECT_EQ(desk.record.boxes.back().kind, c.box);
    }
    EXPECT_EQ(desk.bar(), c.bar);
    const QString last = c.boxes.empty() ? "Verify success: 64 pages match." : QString::fromStdString(c.boxes[0]);
    EXPECT_EQ(log.mid(log.size() - last.count('\n') - 1).join('\n'), last);
    // The unit holds the window's settings, or what it held when the backup failed.
    EXPECT_EQ(test::Bytes(desk.unit->memory(), 14, 6), c.written ? "NOCALL" : test::Bytes(c.held, 14, 6));
  }
}

TEST(SafeguardWindow, CompareWithTheUnitListsDifferencesAndChangesNothing) {
  const struct {
    DeviceSettings onUnit;
    QString list;
    QString count;
  } cases[] = {
      {test::FreshSettings(), "No differences.", "The unit holds 0 settings differently"},
      {OnUnit(), "Radio: Callsign: \"NOCALL\" -> \"OH2XYZ\"\nRadio: Callsign SSID: 0 -> 4",
       "The unit holds 2 settings differently"},
  };
  for (const auto& c : cases) {
    SafeDesk desk;
    const ConfigImage held = test::EncodeOrFail(c.onUnit);
    desk.unit->setMemory(held);
    const QString title = desk.form.windowTitle();
    desk.trigger("ActionCompareWithUnit");
    ASSERT_NE(desk.dialog(), nullptr);
    EXPECT_TRUE(desk.dialog()->isVisible());
    EXPECT_EQ(desk.dialog()->windowTitle(), "Compare with unit");
    EXPECT_EQ(desk.dialog()->listText(), c.list);
    EXPECT_TRUE(desk.dialog()->findChild<QLabel*>("CompareHeading")->text().startsWith(c.count));
    desk.dialog()->findChild<QPushButton*>("CompareCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), c.list);
    EXPECT_EQ(desk.form.settings().text("Callsign"), "NOCALL");
    EXPECT_EQ(desk.form.windowTitle(), title);
    EXPECT_EQ(desk.unit->memory().bytes, held.bytes);
    EXPECT_EQ(desk.unit->requestCount(), 64u);  // the pages read, nothing else
  }
}

TEST(SafeguardWindow, CompareWithAFileOrAnImage) {
  SafeDesk desk;
  DeviceSettings other = OnUnit();
  other.setFlag("Uploadpctime", false);
  const std::string file = desk.folder.path("other.cfg");
  SaveConfigFile(other, file);
  desk.record.answerFile(file);
  desk.trigger("ActionCompareWithFile");
  ASSERT_NE(desk.dialog(), nullptr);
  EXPECT_EQ(desk.dialog()->listText(),
            "Radio: Callsign: \"NOCALL\" -> \"OH2XYZ\"\nRadio: Callsign SSID: 0 -> 4\n\n"
            "RTC time: Upload PC system time on config write: checked -> unchecked");
  EXPECT_EQ(desk.dialog()->findChild<QLabel*>("CompareHeading")->text(),
            QString::fromStdString(file) + " holds 3 settings differently (the window's value -> the file's):");
  ASSERT_EQ(desk.record.fileRequests.size(), 1u);
  EXPECT_EQ(desk.record.fileRequests[0].title, "Compare with file");
  EXPECT_EQ(desk.record.fileRequests[0].filter, "Tarnvik config files and images (*.cfg *.bin)|*.cfg *.bin");
  desk.dialog()->close();
  desk.trigger("ActionCompareWithFile");  // cancelled: no dialog
  EXPECT_FALSE(desk.dialog()->isVisible());
  EXPECT_EQ(desk.record.fileRequests.back().defaultName, file);
  EXPECT_FALSE(desk.form.settingsChanged());
}

// Where no file manager can be started, a box names the folder.
TEST(SafeguardWindow, TheBackupsFolderOpensInTheFileManager) {
  for (const bool opens : {true, false}) {
    SafeDesk desk;
    desk.opens = opens;
    desk.trigger("ActionOpenBackups");
    EXPECT_EQ(desk.opened, std::vector<std::string>{desk.folder.path("backups")});
    EXPECT_TRUE(fs::is_directory(desk.folder.path("backups")));
    const std::string box = "No file manager could be started to show the backups folder. The backups are kept in:\n";
    EXPECT_EQ(desk.record.boxTexts(),
              opens ? std::vector<std::string>{} : std::vector{box + desk.folder.path("backups")});
  }
}

}  // namespace
}  // namespace tarnvik
