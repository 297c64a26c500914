#pragma once
// Which unit the window works with, shown in its status line ("Tarnvik
// connected: PATH" or "No Tarnvik connected") and kept up to date while the
// window is idle: the units are listed on the device worker every two
// seconds and after every operation, never while one runs. Listing asks the
// system only for the unit's vendor and product and opens nothing.
//
// With several units attached, the Unit menu lists them (device path and
// serial number) and the operator picks one. The pick holds until another
// unit is picked: a picked unit that is pulled out stays picked, listed in
// the menu and named in the status line as not connected ("Tarnvik not
// connected: PATH"), and every operation ends with "No Tarnvik at PATH."
// until it is back, so that nothing meant for it goes to another unit.
// Without a pick the first unit listed is used, and the operation's log
// names it.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

#include "device/DeviceLink.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace tarnvik {

class OperationRunner;

inline constexpr std::chrono::milliseconds kUnitWatchInterval{2000};

class UnitWatch : public QObject {
  Q_OBJECT
 public:
  // An `interval` of zero lists the units only when checkNow() asks.
  UnitWatch(OperationRunner& runner, QLabel& status, QMenu& unitMenu, std::chrono::milliseconds interval,
            QObject* parent = nullptr);

  // Lists the units now, unless an operation runs or a listing is under way.
  void checkNow();
  // A listing is under way.
  bool checking() const { return pending_; }
  // The units of the last listing, in the system's order.
  const std::vector<HidInterface>& units() const { return units_; }
  // The path of the unit picked in the Unit menu, attached or not; empty when none.
  const std::string& picked() const { return picked_.path; }
  // The menu's unit entries take no click while an operation runs.
  void setRunning(bool running);

 signals:
  // A listing's result is shown.
  void listed();

 private:
  void show(std::vector<HidInterface> units);
  void pick(const HidInterface& unit);
  bool pickAttached() const;
  void rebuildEntries();
  void addEntry(const HidInterface& unit, const QString& text);
  void showStatus();

  OperationRunner& runner_;
  QLabel& status_;
  QMenu& menu_;
  QTimer timer_;
  QActionGroup* group_;
  QAction* separator_ = nullptr;
  bool pending_ = false;
  std::vector<HidInterface> units_;
  HidInterface picked_;  // its serial as listed when it was picked
};

// The Unit menu's text for a unit: its path, and its serial number when known.
std::string UnitEntryText(const HidInterface& unit);

}  // namespace tarnvik
