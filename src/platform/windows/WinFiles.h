#pragma once
// Small pieces the Windows side of the platform layer shares: UTF-8 and
// UTF-16 texts, paths as the system's calls take them, the system's text for
// an error, a handle that closes itself, and a file's identity.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tarnvik::platform::windows {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A path for the system's wide calls. Whether it is long is told by its full
// path, the current folder in front of a relative one: past the old limit of
// 260 characters it goes as that full path in its \\?\ form (\\?\UNC\ for a
// network path), which has no such limit. A shorter one goes as given, so
// that NUL, CON and COM1 still name the devices.
std::wstring WidePath(const std::string& path);

// The text for a system error code: for the errors a file operation meets
// most, the C runtime's words, which are also POSIX's ("No such file or
// directory", "Permission denied", "No space left on device"), so messages
// read alike on every system; for any other the system's own message in the
// user's language, as UTF-8.
std::string ErrorText(DWORD code);
inline std::string LastErrorText() { return ErrorText(GetLastError()); }

class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~UniqueHandle() { reset(INVALID_HANDLE_VALUE); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  void reset(HANDLE handle) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }
  HANDLE release() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  HANDLE handle_;
};

// Every other opener may read, write, rename and delete meanwhile.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

FileId IdOf(const BY_HANDLE_FILE_INFORMATION& info);

// A link: a reparse point that names another entry (a symbolic link or a
// junction, the system's "name surrogates"). Other reparse points hold the
// file itself: the placeholders of a cloud storage client that syncs the
// folder (OneDrive's files on demand), deduplicated and compressed files.
// `attributes` are the handle's file attributes. When the tag cannot be
// read, a reparse point counts as a link.
bool IsLink(HANDLE handle, DWORD attributes);

// A regular file on a disk: not a folder, a link, a device or a pipe.
bool IsRegular(HANDLE handle);

inline HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
inline std::intptr_t FromHandle(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

}  // namespace tarnvik::platform::windows
