#pragma once
// The main window: a menu bar above the client area, which holds the
// operation buttons, the settings tabs, the message log and the progress
// bar. It owns the settings for the life of the program. Device operations
// run on the device worker and file operations in their handler; while one
// runs, the window paints but takes no other input, and the menu's
// operations are disabled.

#include <QMainWindow>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/DeviceWorker.h"
#include "app/SyncedSource.h"
#include "app/UnitWatch.h"
#include "app/WindowQuestions.h"
#include "core/Dialogs.h"
#include "core/Operator.h"
#include "image/ConfigImage.h"
#include "safeguard/BackupFolder.h"
#include "safeguard/SettingDifferences.h"
#include "settings/DeviceSettings.h"

class QDialog;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSettings;
class QTabWidget;

namespace tarnvik {

class CompareDialog;
class FirmwareBuffer;
class OperationRunner;
class RecentFiles;
class SettingNames;
class SettingsBinder;
class WindowFiles;
class WindowOperator;

// The simulated unit in the folder named by TARNVIK_SIMULATED_UNIT when it is
// set, otherwise the real USB HID stack.
TransportFactory DefaultTransport();

// What the window takes from outside. The program uses the defaults; tests
// put a fixed clock, dialogs that answer from a script and a simulated unit
// in their place.
struct WindowServices {
  PcClock clock = SystemPcClock();
  Dialogs* dialogs = nullptr;  // nullptr: Qt's dialogs, owned by the window
  // Made by the device worker at the first USB operation and kept until the window closes.
  TransportFactory transport = DefaultTransport();
  // Asked when the window closes with changed settings, and before a read
  // replaces them; empty: Qt's message box.
  std::function<UnsavedAnswer(UnsavedMoment moment)> askUnsaved = nullptr;
  // Where Write config keeps its backups of the unit.
  std::string backupFolder = BackupFolder::DefaultPath();
  // Opens a folder in the desktop's file manager, false when none could be
  // started; empty: the desktop's own way.
  std::function<bool(const std::string& folder)> openFolder = nullptr;
  // How often the units are listed while the window is idle; zero: only
  // after each operation.
  std::chrono::milliseconds unitWatch = kUnitWatchInterval;
  // Asked before Save to file replaces a file that exists; empty: Qt's message box.
  std::function<bool(const std::string& file)> askReplace = nullptr;
  // The INI file that keeps the window's size and place and the recent
  // files between runs; empty: nothing is kept (the program names one).
  QString memoryFile = {};
};

class Form1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit Form1(WindowServices services = {});
  ~Form1() override;

  DeviceSettings& settings() { return settings_; }
  Operator& reporter();

  // Runs one operation on the UI thread as a click handler: input blocked
  // while it runs, an escaping error shown in the error box. Ignored while
  // another one runs; false when it did not run to its end.
  bool runOperation(const std::function<void()>& operation);
  bool operationRunning() const;

  // The special strings dialog that Button11 shows; start-up creates it after
  // this window.
  void setSpecialStringsDialog(QDialog* dialog);

  // The frame's operations. The buttons and the menu run these same handlers.
  void readConfig();
  void writeConfig();
  void uploadFirmware();
  void save();
  void saveToFile();
  void readFromFile();
  void showFirmwareVersion();
  void compareWithUnit();
  void compareWithFile();
  void openBackupsFolder();
  void showManual();
  void showAbout();
  void showAboutQt();

  // Opens a configuration file as Read from file does with the file chosen
  // (same question, checks and boxes): a file named on the command line,
  // dropped or picked from the recent files.
  void openFile(const QString& path);

  // The file last read or saved (the file system's bytes), empty when none
  // or when a unit was read or written since (File > Save writes to it
  // unless it is an image); whether the settings differ
  // from what the last Save to file, Read from file, Read config or Write
  // config left.
  const std::string& currentFile() const { return source_.file; }
  bool settingsChanged() const;

  RecentFiles& recentFiles() { return *recent_; }

  // The status line's unit, the units listed and the pick.
  UnitWatch& unitWatch() { return *watch_; }

 signals:
  // An operation ended (its handler or its worker job and what follows).
  void operationFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildClient();
  void buildFrame(QWidget& client);
  void buildGroups(QWidget& client);
  void buildTabs(QWidget& client);
  void buildLogAndProgress(QWidget& client);
  void buildLogo(QWidget& client);
  void buildMenus();
  void buildStatusLine();
  void showComparison(const QString& title, const QString& heading, const std::vector<SettingDifference>& found);
  void placeWindow();
  void wireButtons();
  QPushButton* button(const char* name) const;
  void Button11Click();
  void runningChanged(bool running);
  void markSynced(SyncedSource source);
  void saved(const std::optional<std::string>& file);
  void updateTitle();
  bool mayReplaceSettings(UnsavedMoment moment);
  void leadToRefusal(const std::string& setting);
  void openFolder(const std::string& folder);

  PcClock clock_;
  std::function<UnsavedAnswer(UnsavedMoment)> askUnsaved_;
  std::function<bool(const std::string&)> askReplace_;
  std::unique_ptr<QSettings> memory_;
  std::unique_ptr<Dialogs> ownDialogs_;
  DeviceSettings settings_;
  std::unique_ptr<SettingsBinder> binder_;  // declared after the settings: gone before them
  ConfigImages images_;                     // WriteImage and ReadImage, for the life of the window
  std::string executableFolder_;
  std::unique_ptr<FirmwareBuffer> firmware_;  // for the life of the window
  QTabWidget* pageControl_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  std::unique_ptr<WindowOperator> operator_;
  std::unique_ptr<WindowFiles> files_;
  BackupFolder backups_;
  std::function<bool(const std::string&)> openFolder_;
  std::string lastCompared_;
  QLabel* unitStatus_ = nullptr;
  std::unique_ptr<OperationRunner> runner_;  // after what it uses: stopped first
  UnitWatch* watch_ = nullptr;
  CompareDialog* compareDialog_ = nullptr;
  std::unique_ptr<SettingNames> names_;  // made at the first comparison
  RecentFiles* recent_ = nullptr;
  QDialog* specialStrings_ = nullptr;
  DeviceSettings synced_;  // the settings as the last save, read or write left them
  SyncedSource source_;
};

// The folder that holds the program's executable, with a trailing separator.
std::string ExecutableFolder();

}  // namespace tarnvik
