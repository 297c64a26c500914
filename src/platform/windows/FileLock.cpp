// Locks as named kernel objects: an event named after the file (its volume
// serial number and file index) exists while a program holds the lock, and
// the system removes it when the last handle to it closes, which it does for
// a process however that ends. A program that finds the name taken (or, for
// another user's object, cannot open it) is kept out. The file itself is
// never opened for longer than it takes to learn its identity, so holding a
// lock keeps no one from reading, replacing or removing the file. The locks
// this process holds are kept in a table by file, so that asking again
// shares the lock instead of waiting for it.
#include "platform/FileLock.h"

#include <map>
#include <mutex>
#include <utility>

#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

using windows::UniqueHandle;

struct HeldLock {
  UniqueHandle name;  // closing it lets go of the lock
};

namespace {

using FileKey = std::pair<std::uint64_t, std::uint64_t>;

std::mutex& TableMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<FileKey, std::weak_ptr<HeldLock>>& Table() {
  static std::map<FileKey, std::weak_ptr<HeldLock>> table;
  return table;
}

// Global: the programs of every user and session meet at it.
std::wstring LockName(const FileKey& key) {
  wchar_t name[80];
  swprintf(name, sizeof name / sizeof name[0], L"Global\\tarnvik-lock-%016llx-%016llx",
           static_cast<unsigned long long>(key.first), static_cast<unsigned long long>(key.second));
  return name;
}

enum class Try { Held, Busy, Failed };

// Locks the file `key` for this process, or shares the lock it holds.
Try LockFileKey(const FileKey& key, std::shared_ptr<HeldLock>& held, std::string& reason) {
  const std::lock_guard<std::mutex> guard(TableMutex());
  if (auto known = Table()[key].lock()) {
    held = std::move(known);
    return Try::Held;
  }
  SetLastError(ERROR_SUCCESS);
  UniqueHandle name(CreateEventW(nullptr, TRUE, FALSE, LockName(key).c_str()));
  const DWORD code = GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_ACCESS_DENIED) return Try::Busy;
  if (!name.valid()) {
    reason = windows::ErrorText(code);
    return Try::Failed;
  }
  held = std::make_shared<HeldLock>();
  held->name.reset(name.release());
  Table()[key] = held;
  return Try::Held;
}

FileKey KeyOf(const FileId& id) { return {id.device, id.file}; }

enum class Opening {
  LockFile,  // created when missing; a link in its place is opened as itself, and refused
  Change,    // an existing file, a link followed
};

// The identity of the regular file opened at `path`, which must open for reading.
bool Identify(const std::string& path, Opening opening, FileId& id, std::string& reason) {
  const bool lockFile = opening == Opening::LockFile;
  const UniqueHandle file(CreateFileW(windows::WidePath(path).c_str(), GENERIC_READ, windows::kShareAll, nullptr,
                                      lockFile ? OPEN_ALWAYS : OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | (lockFile ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
    reason = windows::LastErrorText();
    return false;
  }
  if (!windows::IsRegular(file.get())) {
    reason = kNotRegular;
    return false;
  }
  id = windows::IdOf(info);
  return true;
}

}  // namespace

FileLock FileLock::TryLockFile(const std::string& lockFile) {
  FileId id;
  std::string reason;
  if (!Identify(lockFile, Opening::LockFile, id, reason)) return {Status::Failed, lockFile + ": " + reason};
  std::shared_ptr<HeldLock> held;
  switch (LockFileKey(KeyOf(id), held, reason)) {
    case Try::Held: return {Status::Held, {}, std::move(held)};
    case Try::Busy: return {Status::Busy, kBusyReason};
    case Try::Failed: break;
  }
  return {Status::Failed, lockFile + ": " + reason};
}

FileLock::ChangeTry FileLock::TryLockForChange(const std::string& path, std::shared_ptr<HeldLock>& held) {
  if (StatusOf(path, Links::Follow).kind != FileStatus::Kind::Regular) return ChangeTry::Absent;
  FileId opened;
  std::string reason;
  if (!Identify(path, Opening::Change, opened, reason)) return ChangeTry::Absent;
  switch (LockFileKey(KeyOf(opened), held, reason)) {
    case Try::Failed: return ChangeTry::Absent;
    case Try::Busy: return ChangeTry::Busy;
    case Try::Held: break;
  }
  const FileStatus now = StatusOf(path, Links::Follow);
  const bool same = now.kind == FileStatus::Kind::Regular && now.id.sameFile(opened);
  return same ? ChangeTry::Held : ChangeTry::Replaced;
}

}  // namespace tarnvik::platform
