#include "app/OperationRunner.h"

#include <QWidget>

#include "app/InputBlocker.h"
#include "app/UiBridge.h"
#include "app/WindowOperator.h"
#include "app/WorkerOperator.h"
#include "core/OperationError.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

OperationRunner::OperationRunner(QWidget& window, DeviceSettings& settings, WindowOperator& op,
                                 TransportFactory transport)
    : settings_(settings),
      op_(op),
      blocker_(new InputBlocker(window)),
      bridge_(new UiBridge(this)),
      workerOp_(std::make_unique<WorkerOperator>(*bridge_, op,
                                                 [this] {
                                                   if (work_) settings_ = *work_;
                                                 })),
      worker_(std::make_unique<DeviceWorker>(std::move(transport))) {}

// A worker waiting for a dialog is released first; then the worker finishes
// what it does without the window (its dialogs answer "cancel").
OperationRunner::~OperationRunner() {
  bridge_->abandon();
  worker_.reset();
}

bool OperationRunner::running() const { return blocker_->blocking(); }

void OperationRunner::setRunning(bool on) {
  blocker_->setBlocking(on);
  emit runningChanged(on);
}

bool OperationRunner::runHere(const std::function<void()>& operation) {
  if (running()) return false;
  setRunning(true);
  const bool completed = RunGuarded(op_, operation);
  setRunning(false);
  return completed;
}

void OperationRunner::runOnWorker(DeviceJob job, std::function<void(bool)> after) {
  if (running()) return;
  setRunning(true);
  work_ = std::make_unique<DeviceSettings>(settings_);
  workerOp_->begin(op_.progress());
  worker_->post([this, job = std::move(job), after = std::move(after), choice = choice_](DeviceWorker& worker) {
    WorkerOperator& op = *workerOp_;
    const bool completed = RunGuarded(op, [&] {
      job({worker.transport(), op, kDefaultExchangeLimit, choice}, *work_);
    });
    bridge_->post([this, completed, after] { finish(completed, after); });
  });
}

void OperationRunner::checkUnits(std::function<void(std::vector<HidInterface>)> listed) {
  if (running()) return;
  worker_->post([this, listed = std::move(listed)](DeviceWorker& worker) {
    std::vector<HidInterface> units;
    try {
      units = FindUnits(worker.transport());
    } catch (const std::exception&) {
      units.clear();  // the next operation shows why
    }
    bridge_->post([listed, units = std::move(units)] { listed(units); });
  });
}

void OperationRunner::finish(bool completed, const std::function<void(bool)>& after) {
  workerOp_->flush();
  settings_ = *work_;
  work_.reset();
  setRunning(false);
  if (after) after(completed);
}

}  // namespace tarnvik
