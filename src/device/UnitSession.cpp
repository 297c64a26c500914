#include "device/UnitSession.h"

namespace tarnvik {

HidTransport::Opened UnitSession::open(const std::string& path) {
  if (!held_.contains(path)) {
    UnitLock unit = inner_.lockUnit(path);
    const platform::FileLock& lock = unit.lock;
    switch (lock.status()) {
      case platform::FileLock::Status::Busy: return {nullptr, path + ": " + lock.reason(), true};
      case platform::FileLock::Status::Failed: return {nullptr, lock.reason(), false, !unit.isDevice};
      case platform::FileLock::Status::Held: held_.emplace(path, std::move(unit.lock)); break;
      case platform::FileLock::Status::Absent: break;
    }
  }
  return inner_.open(path);
}

}  // namespace tarnvik
