#include "app/UnitWatch.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <algorithm>

#include "app/OperationRunner.h"
#include "ui/FileNameText.h"

namespace tarnvik {

namespace {

QString FileName(const std::string& bytes) { return ShownFileName(bytes); }

bool SameUnits(const std::vector<HidInterface>& a, const std::vector<HidInterface>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const HidInterface& x, const HidInterface& y) {
    return x.path == y.path && x.serial == y.serial;
  });
}

}  // namespace

std::string UnitEntryText(const HidInterface& unit) {
  return unit.serial.empty() ? unit.path : unit.path + " (serial " + unit.serial + ")";
}

UnitWatch::UnitWatch(OperationRunner& runner, QLabel& status, QMenu& unitMenu, std::chrono::milliseconds interval,
                     QObject* parent)
    : QObject(parent), runner_(runner), status_(status), menu_(unitMenu), group_(new QActionGroup(this)) {
  group_->setExclusive(true);
  connect(&timer_, &QTimer::timeout, this, &UnitWatch::checkNow);
  if (interval.count() > 0) timer_.start(static_cast<int>(interval.count()));
}

void UnitWatch::checkNow() {
  if (pending_ || runner_.running()) return;
  pending_ = true;
  runner_.checkUnits([this](std::vector<HidInterface> units) { show(std::move(units)); });
}

void UnitWatch::show(std::vector<HidInterface> units) {
  pending_ = false;
  const bool changed = !SameUnits(units, units_);
  units_ = std::move(units);
  const bool pickGone =
      std::none_of(units_.begin(), units_.end(), [&](const HidInterface& u) { return u.path == picked_; });
  if (!picked_.empty() && pickGone) pick({});
  if (changed) rebuildEntries();
  showStatus();
  emit listed();
}

void UnitWatch::pick(const std::string& path) {
  picked_ = path;
  runner_.setUnitChoice({path, {}});
  showStatus();
}

void UnitWatch::showStatus() {
  const std::string& used = !picked_.empty() ? picked_ : units_.empty() ? picked_ : units_.front().path;
  const QString text =
      used.empty() ? QStringLiteral("No Tarnvik connected") : QStringLiteral("Tarnvik connected: ") + FileName(used);
  if (status_.text() != text) status_.setText(text);
}

// One checkable entry per unit, below the menu's own entries, when there is
// a choice to make.
void UnitWatch::rebuildEntries() {
  for (QAction* entry : group_->actions()) {
    group_->removeAction(entry);
    delete entry;
  }
  delete separator_;
  separator_ = nullptr;
  if (units_.size() < 2) return;
  separator_ = menu_.addSeparator();
  for (const HidInterface& unit : units_) {
    QAction* entry = menu_.addAction(FileName(UnitEntryText(unit)));
    entry->setObjectName(QStringLiteral("UnitEntry"));
    entry->setCheckable(true);
    entry->setChecked(unit.path == picked_);
    entry->setEnabled(!runner_.running());
    group_->addAction(entry);
    connect(entry, &QAction::triggered, this, [this, path = unit.path] { pick(path); });
  }
}

void UnitWatch::setRunning(bool running) {
  for (QAction* entry : group_->actions()) entry->setEnabled(!running);
}

}  // namespace tarnvik
