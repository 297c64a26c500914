#pragma once
// The main window: the operation buttons, the settings tabs, the message log
// and the progress bar. It owns the settings for the life of the program.
// Every operation runs inside its click handler on the one UI thread; while
// it runs, the window paints but takes no other input.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "cfgfile/ConfigFileOps.h"
#include "core/Dialogs.h"
#include "core/Operator.h"
#include "image/ConfigImage.h"
#include "settings/DeviceSettings.h"

class QDialog;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace tarnvik {

class InputBlocker;
class SettingsBinder;

// What the window takes from outside. The program uses the defaults; tests
// put a fixed clock and dialogs that answer from a script in their place.
struct WindowServices {
  PcClock clock = SystemPcClock();
  Dialogs* dialogs = nullptr;  // nullptr: Qt's dialogs, owned by the window
};

class Form1 : public QWidget {
  Q_OBJECT
 public:
  explicit Form1(WindowServices services = {});
  ~Form1() override;

  DeviceSettings& settings() { return settings_; }
  Operator& reporter() { return *operator_; }

  // Runs one operation as a click handler: input blocked while it runs, an
  // escaping error shown in the error box. Ignored while another one runs.
  void runOperation(const std::function<void()>& operation);
  bool operationRunning() const;

  // The special strings dialog that Button11 shows; start-up creates it after
  // this window.
  void setSpecialStringsDialog(QDialog* dialog);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildFrame();
  void buildGroups();
  void buildTabs();
  void buildLogAndProgress();
  void buildLogo();
  void wireButtons();
  QPushButton* button(const char* name) const;
  void Button1Click();
  void Button2Click();
  void Button11Click();

  PcClock clock_;
  std::unique_ptr<Dialogs> ownDialogs_;
  DeviceSettings settings_;
  std::unique_ptr<SettingsBinder> binder_;  // declared after the settings: gone before them
  ConfigImages images_;                     // WriteImage and ReadImage, for the life of the window
  FileDialogMemory fileDialogs_;
  std::string executableFolder_;
  QTabWidget* pageControl_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  std::unique_ptr<Operator> operator_;
  InputBlocker* blocker_ = nullptr;
  QDialog* specialStrings_ = nullptr;
};

// The folder that holds the program's executable, with a trailing separator.
std::string ExecutableFolder();

}  // namespace tarnvik
