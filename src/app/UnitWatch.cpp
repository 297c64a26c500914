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

QString UnitText(const std::string& bytes) { return ShownName(bytes); }

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
  if (changed) rebuildEntries();
  showStatus();
  emit listed();
}

// The entries are made anew once the entry clicked has done its work: the
// entry of a picked unit that is away goes when another is picked.
void UnitWatch::pick(const HidInterface& unit) {
  const bool wasAway = !pickAttached();
  picked_ = unit;
  runner_.setUnitChoice({unit.path, {}});
  showStatus();
  if (wasAway) QTimer::singleShot(0, this, &UnitWatch::rebuildEntries);
}

bool UnitWatch::pickAttached() const {
  return picked_.path.empty() ||
         std::any_of(units_.begin(), units_.end(), [&](const HidInterface& u) { return u.path == picked_.path; });
}

void UnitWatch::showStatus() {
  QString text = QStringLiteral("No Tarnvik connected");
  if (!pickAttached())
    text = QStringLiteral("Tarnvik not connected: ") + UnitText(picked_.path);
  else if (!picked_.path.empty() || !units_.empty())
    text = QStringLiteral("Tarnvik connected: ") + UnitText(picked_.path.empty() ? units_.front().path : picked_.path);
  if (status_.text() != text) status_.setText(text);
}

// One checkable entry per unit, below the menu's own entries, when there is
// a choice to make or a pick to show; a picked unit that is away keeps its
// entry, marked as not connected.
void UnitWatch::rebuildEntries() {
  for (QAction* entry : group_->actions()) {
    group_->removeAction(entry);
    delete entry;
  }
  delete separator_;
  separator_ = nullptr;
  const bool away = !pickAttached();
  if (units_.size() < 2 && !away) return;
  separator_ = menu_.addSeparator();
  for (const HidInterface& unit : units_) addEntry(unit, UnitText(UnitEntryText(unit)));
  if (away) addEntry(picked_, UnitText(UnitEntryText(picked_)) + QStringLiteral(" - not connected"));
}

void UnitWatch::addEntry(const HidInterface& unit, const QString& text) {
  QAction* entry = menu_.addAction(text);
  entry->setObjectName(QStringLiteral("UnitEntry"));
  entry->setCheckable(true);
  entry->setChecked(unit.path == picked_.path);
  entry->setEnabled(!runner_.running());
  group_->addAction(entry);
  connect(entry, &QAction::triggered, this, [this, unit] { pick(unit); });
}

void UnitWatch::setRunning(bool running) {
  for (QAction* entry : group_->actions()) entry->setEnabled(!running);
}

}  // namespace tarnvik
