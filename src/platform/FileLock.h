#pragma once
// An exclusive lock that programs take before they change what other programs
// may change too: a unit (its device, or the lock file kept in a simulated
// unit's folder) or a file (the file itself, for a change that reads it and
// then replaces it). The lock is advisory: it keeps out only programs that ask
// for it too, and it never keeps anyone from reading or replacing the file.
//
// A lock belongs to the process: asking again for a lock the process already
// holds on the same file shares it instead of waiting for it, so that an
// operation that holds a unit or a file may call another that takes the same
// lock. The lock goes when the last FileLock sharing it goes, and when the
// process ends in any way: a killed program never leaves anything locked.
// Threads of one process therefore do not keep each other out; a process
// forked from this one is another program.

#include <chrono>
#include <memory>
#include <string>

namespace tarnvik::platform {

struct HeldLock;  // the system's handle of a lock, shared within the process

class FileLock {
 public:
  enum class Status {
    Held,    // this process holds the lock
    Busy,    // another program holds it (after the wait, where there is one)
    Absent,  // nothing to lock: no regular file there (only for a change)
    Failed,  // the lock could not be asked for; reason() says why
  };

  FileLock() = default;  // holds nothing (Absent)
  ~FileLock();
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  Status status() const { return status_; }
  bool held() const { return status_ == Status::Held; }
  // Why the lock is not held, in the system's words; empty when it is.
  const std::string& reason() const { return reason_; }

  // The lock kept in `lockFile`, which is created when missing and stays
  // (readable by every user, so that the programs of all users meet at it).
  // Does not wait: Busy at once when another program holds it. A link or
  // anything but a regular file in its place fails.
  static FileLock TryLockFile(const std::string& lockFile);

  // The lock on the device at `devicePath` (a unit's HID interface), the same
  // for every program whatever its user or environment. Does not wait: Busy
  // at once when another program holds it.
  // POSIX: the device node itself, opened for reading and writing and locked
  // for as long as the lock is held, so that only a program that may use the
  // device can hold it. Failed, naming the path and why, when the node cannot
  // be opened (no permission, unplugged) or locked. Nothing is read from it.
  // Windows: device files take no locks, so the lock is an object of the
  // system's global namespace named after the path as the system compares
  // it (the case of letters and the \\?\ or \\.\ in front do not count),
  // which the programs of every user and session meet; the system removes it
  // with the last handle, when its process ends in any way. A program that
  // finds it there, or may not open another user's, is kept out (Busy).
  static FileLock TryLockDevice(const std::string& devicePath);

  // The lock on the regular file at `path` itself (a link there is followed),
  // for a change that reads the file and then replaces it. Waits up to `wait`
  // for another program to let go. A replacement is a new file: when the path
  // names another file once the lock is had, the lock moves to that one, so
  // the holder always holds the file the path names. Absent when there is no
  // regular file at `path` (nothing is created), when it cannot be opened for
  // reading, or when its file system keeps no locks.
  static FileLock LockForChange(const std::string& path, std::chrono::milliseconds wait);

 private:
  FileLock(Status status, std::string reason, std::shared_ptr<HeldLock> held = nullptr);

  static constexpr const char* kBusyReason = "in use by another program";
  // One look at the file at `path` for LockForChange, the system's part of it:
  // Held with `held` set when its lock is had and the path still names the
  // file locked; Replaced when it names another file by then; Busy when
  // another program holds the lock; Absent as for LockForChange.
  enum class ChangeTry { Held, Busy, Replaced, Absent };
  static ChangeTry TryLockForChange(const std::string& path, std::shared_ptr<HeldLock>& held);

  Status status_ = Status::Absent;
  std::string reason_;
  std::shared_ptr<HeldLock> held_;
};

}  // namespace tarnvik::platform
