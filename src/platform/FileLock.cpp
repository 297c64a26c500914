// What locks do alike on every system; the system's own part is in
// posix/FileLock.cpp and windows/FileLock.cpp.
#include "platform/FileLock.h"

#include <thread>
#include <utility>

namespace tarnvik::platform {

namespace {

constexpr std::chrono::milliseconds kPollInterval{10};

}  // namespace

FileLock::FileLock(Status status, std::string reason, std::shared_ptr<HeldLock> held)
    : status_(status), reason_(std::move(reason)), held_(std::move(held)) {}

FileLock::~FileLock() = default;
FileLock::FileLock(FileLock&& other) noexcept = default;
FileLock& FileLock::operator=(FileLock&& other) noexcept = default;

// Polls rather than blocks, so that the wait has an end. A lock had on a file
// that was replaced meanwhile no longer counts: the next look locks the file
// the path names now.
FileLock FileLock::LockForChange(const std::string& path, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    std::shared_ptr<HeldLock> held;
    const ChangeTry result = TryLockForChange(path, held);
    if (result == ChangeTry::Held) return {Status::Held, {}, std::move(held)};
    if (result == ChangeTry::Absent) return {};
    if (std::chrono::steady_clock::now() >= deadline) return {Status::Busy, kBusyReason};
    if (result == ChangeTry::Busy) std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace tarnvik::platform
