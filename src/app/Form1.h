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

class FirmwareBuffer;
class HidTransport;
class InputBlocker;
class SettingsBinder;
struct DeviceAccess;

// Makes the HID stack the USB buttons talk to.
using TransportFactory = std::function<std::unique_ptr<HidTransport>()>;

// The simulated unit in the folder named by TARNVIK_SIMULATED_UNIT when it is
// set, otherwise the real USB HID stack.
TransportFactory DefaultTransport();

// What the window takes from outside. The program uses the defaults; tests
// put a fixed clock, dialogs that answer from a script and a simulated unit
// in their place.
struct WindowServices {
  PcClock clock = SystemPcClock();
  Dialogs* dialogs = nullptr;  // nullptr: Qt's dialogs, owned by the window
  // Called at the first USB operation; what it makes is kept until the window closes.
  TransportFactory transport = DefaultTransport();
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
  void Button3Click();
  void Button4Click();
  void Button5Click();
  DeviceAccess deviceAccess();
  void Button11Click();

  PcClock clock_;
  std::unique_ptr<Dialogs> ownDialogs_;
  DeviceSettings settings_;
  std::unique_ptr<SettingsBinder> binder_;  // declared after the settings: gone before them
  ConfigImages images_;                     // WriteImage and ReadImage, for the life of the window
  FileDialogMemory fileDialogs_;
  std::string executableFolder_;
  TransportFactory transportFactory_;
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<FirmwareBuffer> firmware_;  // for the life of the window
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
