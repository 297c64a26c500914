#include "app/UiBridge.h"

#include <memory>

namespace tarnvik {

UiBridge::UiBridge(QObject* parent) : QObject(parent) {}

UiBridge::~UiBridge() { abandon(); }

void UiBridge::post(std::function<void()> call) {
  QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

bool UiBridge::runAndWait(const std::function<void()>& call) {
  auto done = std::make_shared<bool>(false);
  {
    const std::lock_guard lock(mutex_);
    if (abandoned_) return false;
  }
  post([this, call, done] {
    {
      const std::lock_guard lock(mutex_);
      if (abandoned_) return;
    }
    call();
    const std::lock_guard lock(mutex_);
    *done = true;
    changed_.notify_all();
  });
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return *done || abandoned_; });
  return *done;
}

void UiBridge::abandon() {
  const std::lock_guard lock(mutex_);
  abandoned_ = true;
  changed_.notify_all();
}

}  // namespace tarnvik
