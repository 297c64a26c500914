// Takes pictures of the main window for every tab and every page of the
// "Telemetry reports" tab, first with the start-up values and then with
// every text field holding its longest value, and of the special strings
// dialog and a message box, the questions, a long box, the backups folder's
// box, the manual, the window made larger, and of the unit's status line,
// the Unit menu with two units attached and the compare dialog, so that the
// layout can be looked at on a real display: run under Xvfb by
// scripts/screenshots.sh, which names the folder.
// Each picture is taken of the whole screen by ImageMagick's import, as a
// person would see it (with the window manager's title bars when one runs).
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/Form1.h"
#include "app/QtDialogs.h"
#include "app/WindowQuestions.h"
#include "device/simulated/SimulatedTransport.h"
#include "device/simulated/SimulatedUnit.h"
#include "settings/DeviceSettings.h"
#include "ui/FieldSample.h"
#include "ui/Form2.h"
#include "ui/TabTable.h"

namespace {

bool Shoot(const QString& file) {
  QTest::qWait(300);
  const int status =
      QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
  if (status != 0) std::fprintf(stderr, "import failed for %s\n", qPrintable(file));
  return status == 0;
}

bool ShootTabs(tarnvik::Form1& form, const QString& prefix) {
  auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
  bool ok = true;
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    const int count = tabs->widget(tab)->isAncestorOf(pages) ? pages->count() : 1;
    for (int page = 0; page < count; ++page) {
      if (count > 1) pages->setCurrentIndex(page);
      ok = Shoot(QStringLiteral("%1-tab%2-page%3.png").arg(prefix).arg(tab + 1).arg(page + 1)) && ok;
    }
  }
  return ok;
}

// Every text field at its longest value of its kind.
void FillLongest(tarnvik::DeviceSettings& settings) {
  for (const tarnvik::ControlCell& cell : tarnvik::TabControls()) {
    if (!tarnvik::DeviceSettings::has(cell.name)) continue;
    const auto& definition = tarnvik::DeviceSettings::definition(cell.name);
    if (definition.kind != tarnvik::SettingKind::Text) continue;
    const QByteArray text =
        tarnvik::LongestValue(cell.kind, definition.maxLength).left(definition.maxLength).toLatin1();
    settings.setText(cell.name, text.toStdString());
  }
}

// One of the program's message boxes, whose caption is longer than its
// text, closed after its picture.
bool ShootBox(QWidget& parent, const QString& file) {
  bool ok = false;
  QTimer::singleShot(0, [&] {
    ok = Shoot(file);
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w)) box->accept();
  });
  tarnvik::QtDialogs(parent).informationBox("File open error.", "File open error");
  return ok;
}

// A box or dialog that `open` shows modally, closed after its picture.
bool ShootModal(const QString& file, const std::function<void()>& open) {
  bool ok = false;
  QTimer::singleShot(0, [&] {
    ok = QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 3000) && Shoot(file);
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  });
  open();
  return ok;
}

// The window's new boxes: the two questions, a long verify error, the
// backups folder's path, the manual.
bool ShootBoxes(tarnvik::Form1& form, const QString& folder) {
  tarnvik::QtDialogs dialogs(form);
  bool ok = ShootModal(folder + QStringLiteral("/question-unsaved.png"),
                       [&] { tarnvik::AskUnsaved(form, tarnvik::UnsavedMoment::Replacing); });
  ok = ShootModal(folder + QStringLiteral("/question-replace.png"),
                  [&] { tarnvik::AskReplace(form, "/home/operator/config/unit1.cfg"); }) &&
       ok;
  std::string verify = "Verify error: 36 pages of 64 differ from what was written:";
  for (int page = 1; page <= 36; ++page)
    verify += "\nPage " + std::to_string(page) + ": bytes 4-35 differ (Callsign, Ssid, Latitude, Longitude)";
  ok = ShootModal(folder + QStringLiteral("/long-box.png"), [&] { dialogs.informationBox(verify, "Information"); }) &&
       ok;
  ok = ShootModal(folder + QStringLiteral("/backups-folder-box.png"),
                  [&] {
                    dialogs.fileInformationBox({"No file manager could be started to show the backups folder. The "
                                                "backups are kept in:\n",
                                                "/home/operator/.local/share/tarnvik-configurator/backups", ""},
                                               "Backups folder");
                  }) &&
       ok;
  form.findChild<QAction*>(QStringLiteral("ActionManual"))->trigger();
  ok = Shoot(folder + QStringLiteral("/manual.png")) && ok;
  form.findChild<QDialog*>(QStringLiteral("Manual"))->close();
  return ok;
}

// The window made larger: the log takes the room.
bool ShootResized(tarnvik::Form1& form, const QString& folder) {
  const QSize before = form.size();
  form.resize(before + QSize(200, 260));
  const bool ok = Shoot(folder + QStringLiteral("/resized.png"));
  form.resize(before);
  return ok;
}

// Runs a menu entry and waits until its operation has ended.
void Trigger(tarnvik::Form1& form, const char* action) {
  QEventLoop loop;
  QObject::connect(&form, &tarnvik::Form1::operationFinished, &loop, &QEventLoop::quit);
  form.findChild<QAction*>(QString::fromLatin1(action))->trigger();
  if (form.operationRunning()) loop.exec();
}

// A window with two simulated units attached: after a Write config to the
// first (its status line and log), its Unit menu open, and the compare
// dialog listing what the window changed since.
bool ShootUnits(const QString& folder) {
  auto first = std::make_shared<tarnvik::SimulatedUnit>(), second = std::make_shared<tarnvik::SimulatedUnit>();
  first->setSerial("TV-0001");
  second->setSerial("TV-0002");
  QTemporaryDir backups;
  tarnvik::WindowServices services;
  services.transport = [first, second] {
    auto transport = std::make_unique<tarnvik::SimulatedTransport>();
    transport->addUnit("/dev/hidraw4", first);
    transport->addUnit("/dev/hidraw5", second);
    return transport;
  };
  services.backupFolder = backups.path().toStdString();
  tarnvik::Form1 form(services);
  form.move(20, 30);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return false;
  form.settings().setText("Callsign", "OH2XYZ");
  Trigger(form, "ActionWriteConfig");  // the blank unit is written
  Trigger(form, "ActionWriteConfig");  // now backed up first
  bool ok = Shoot(folder + QStringLiteral("/unit-status.png"));
  auto* unitMenu = form.menuBar()->findChild<QMenu*>(QStringLiteral("MenuUnit"));
  form.menuBar()->setActiveAction(unitMenu->menuAction());
  ok = Shoot(folder + QStringLiteral("/unit-menu.png")) && ok;
  unitMenu->close();
  form.settings().setText("Callsign", "OH2ABC");
  form.settings().setText("Ssid", "9");
  form.settings().setText("Beacon1_msg", "Digipeater on the hill");
  Trigger(form, "ActionCompareWithUnit");
  return Shoot(folder + QStringLiteral("/compare-dialog.png")) && ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: window-screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  tarnvik::Form1 form;
  // Near the corner, unless the screen is too small: then where the window puts itself.
  if (form.width() + 40 < form.screen()->availableGeometry().width()) form.move(20, 30);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  bool ok = ShootTabs(form, folder + QStringLiteral("/start"));
  FillLongest(form.settings());
  ok = ShootTabs(form, folder + QStringLiteral("/longest")) && ok;
  tarnvik::Form2 strings(&form);
  strings.show();
  ok = Shoot(folder + QStringLiteral("/special-strings.png")) && ok;
  strings.hide();
  ok = ShootBox(form, folder + QStringLiteral("/message-box.png")) && ok;
  ok = ShootBoxes(form, folder) && ok;
  ok = ShootResized(form, folder) && ok;
  form.hide();
  ok = ShootUnits(folder) && ok;
  return ok ? 0 : 1;
}
