#pragma once
// Runs the window's operations one at a time, with the window's input
// blocked while one runs. File operations run on the UI thread inside the
// handler. Device operations run on the device worker, so that the window
// keeps painting while a transfer waits on the unit: the worker works on a
// copy of the settings, which the window takes over before every dialog and
// when the operation ends, so the settings are never touched by two threads.
// The window owns it and must destroy it before the settings and the
// operator it was given.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "app/DeviceWorker.h"
#include "device/DeviceOperations.h"

class QWidget;

namespace tarnvik {

class DeviceSettings;
class InputBlocker;
class UiBridge;
class WindowOperator;
class WorkerOperator;

class OperationRunner : public QObject {
  Q_OBJECT
 public:
  OperationRunner(QWidget& window, DeviceSettings& settings, WindowOperator& op, TransportFactory transport);
  ~OperationRunner() override;

  bool running() const;

  // Runs `operation` now, on the UI thread. An escaping error goes to the
  // error box. False when it ended by an error or could not start because
  // another operation runs.
  bool runHere(const std::function<void()>& operation);

  // What a device operation does on the worker: the unit and a copy of the
  // settings, which it may change.
  using DeviceJob = std::function<void(const DeviceAccess& access, DeviceSettings& settings)>;
  // Starts `job` on the worker and returns at once (ignored while another
  // operation runs). `after` runs on the UI thread once the job has ended
  // and the settings are the window's again; `completed` is false when an
  // error ended the job (it was shown in the error box).
  void runOnWorker(DeviceJob job, std::function<void(bool completed)> after = {});

  // The unit the device operations use when several are attached (its hint
  // is empty: the window has no --device). Taken when an operation starts.
  void setUnitChoice(UnitChoice choice) { choice_ = std::move(choice); }

  // Lists the units on the worker, unless an operation runs (then nothing
  // happens): `listed` runs on the UI thread with the units found, none when
  // the HID stack cannot be had. The check is not an operation: it blocks no
  // input and shows nothing.
  void checkUnits(std::function<void(std::vector<HidInterface> units)> listed);

 signals:
  // Every operation, whichever thread ran it.
  void runningChanged(bool running);

 private:
  void setRunning(bool on);
  void finish(bool completed, const std::function<void(bool)>& after);

  DeviceSettings& settings_;
  WindowOperator& op_;
  InputBlocker* blocker_;
  UiBridge* bridge_;
  UnitChoice choice_;
  std::unique_ptr<DeviceSettings> work_;  // the worker's copy while a device operation runs
  std::unique_ptr<WorkerOperator> workerOp_;
  std::unique_ptr<DeviceWorker> worker_;  // last: stopped before the rest goes
};

}  // namespace tarnvik
