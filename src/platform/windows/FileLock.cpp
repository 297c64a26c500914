// Locks as named kernel objects: an event named after the file (its volume
// serial number and file index) or the device (its path) exists while a
// program holds the lock, and the system removes it when the last handle to
// it closes, which it does for a process however that ends. A program that
// finds the name taken (or, for another user's object, cannot open it) is
// kept out. The file itself is never opened for longer than it takes to
// learn its identity, so holding a lock keeps no one from reading, replacing
// or removing the file. The locks this process holds are kept in a table by
// name, so that asking again shares the lock instead of waiting for it.
//
// Why an event and not a mutex or an exclusive opening: a mutex belongs to
// the thread that took it, so a lock let go on another thread (the window's
// worker hands its operations around) would not be let go, and one closed
// by its owner is abandoned rather than freed; an event belongs to no thread,
// and being there is all it says. Opening the HID device without sharing
// would lock only while it is open, not across the openings of one
// operation, and would keep out this program's own next opening.
#include "platform/FileLock.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string_view>
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

std::map<std::wstring, std::weak_ptr<HeldLock>>& Table() {
  static std::map<std::wstring, std::weak_ptr<HeldLock>> table;
  return table;
}

// Global: the programs of every user and session meet at it.
std::wstring LockName(const FileKey& key) {
  wchar_t name[80];
  swprintf(name, sizeof name / sizeof name[0], L"Global\\tarnvik-lock-%016llx-%016llx",
           static_cast<unsigned long long>(key.first), static_cast<unsigned long long>(key.second));
  return name;
}

// The device's lock: its path as the system compares device paths (letters
// in either case, \\?\ or \\.\ in front), its backslashes, which a name may
// not hold, as slashes; a path too long for a name goes by a hash of it.
std::wstring DeviceLockName(const std::string& devicePath) {
  std::wstring path = windows::Wide(devicePath);
  for (const std::wstring_view prefix : {L"\\\\?\\", L"\\\\.\\"})
    if (path.starts_with(prefix)) path.erase(0, prefix.size());
  for (wchar_t& c : path) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c == L'\\') c = L'/';
  }
  const std::wstring prefix = L"Global\\tarnvik-unit-";
  if (prefix.size() + path.size() < MAX_PATH) return prefix + path;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const wchar_t c : path) hash = (hash ^ static_cast<std::uint64_t>(c)) * 1099511628211ull;
  wchar_t text[20];
  swprintf(text, sizeof text / sizeof text[0], L"%016llx", static_cast<unsigned long long>(hash));
  return prefix + text;
}

enum class Try { Held, Busy, Failed };

// Locks the object `lockName` stands for, for this process, or shares the
// lock it holds.
Try LockNamed(const std::wstring& lockName, std::shared_ptr<HeldLock>& held, std::string& reason) {
  const std::lock_guard<std::mutex> guard(TableMutex());
  if (auto known = Table()[lockName].lock()) {
    held = std::move(known);
    return Try::Held;
  }
  SetLastError(ERROR_SUCCESS);
  UniqueHandle name(CreateEventW(nullptr, TRUE, FALSE, lockName.c_str()));
  const DWORD code = GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_ACCESS_DENIED) return Try::Busy;
  if (!name.valid()) {
    reason = windows::ErrorText(code);
    return Try::Failed;
  }
  held = std::make_shared<HeldLock>();
  held->name.reset(name.release());
  Table()[lockName] = held;
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
  switch (LockNamed(LockName(KeyOf(id)), held, reason)) {
    case Try::Held: return {Status::Held, {}, std::move(held)};
    case Try::Busy: return {Status::Busy, kBusyReason};
    case Try::Failed: break;
  }
  return {Status::Failed, lockFile + ": " + reason};
}

FileLock FileLock::TryLockDevice(const std::string& devicePath) {
  const std::wstring name = DeviceLockName(devicePath);
  std::shared_ptr<HeldLock> held;
  std::string reason;
  switch (LockNamed(name, held, reason)) {
    case Try::Held: return {Status::Held, {}, std::move(held)};
    case Try::Busy: return {Status::Busy, kBusyReason};
    case Try::Failed: break;
  }
  return {Status::Failed, windows::Narrow(name) + ": " + reason};
}

FileLock::ChangeTry FileLock::TryLockForChange(const std::string& path, std::shared_ptr<HeldLock>& held) {
  if (StatusOf(path, Links::Follow).kind != FileStatus::Kind::Regular) return ChangeTry::Absent;
  FileId opened;
  std::string reason;
  if (!Identify(path, Opening::Change, opened, reason)) return ChangeTry::Absent;
  switch (LockNamed(LockName(KeyOf(opened)), held, reason)) {
    case Try::Failed: return ChangeTry::Absent;
    case Try::Busy: return ChangeTry::Busy;
    case Try::Held: break;
  }
  const FileStatus now = StatusOf(path, Links::Follow);
  const bool same = now.kind == FileStatus::Kind::Regular && now.id.sameFile(opened);
  return same ? ChangeTry::Held : ChangeTry::Replaced;
}

}  // namespace tarnvik::platform
