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

// A path for the system's wide calls. A long absolute one (past the old
// limit of 260 characters) goes in its \\?\ form, which has no such limit.
std::wstring WidePath(const std::string& path);

// The text for a system error code: for the errors a file operation meets
// most, the C runtime's words, which are also POSIX's ("No such file or
// directory", "Permission denied", "No space left on device"), so messages
// read alike on every system; for any other the system's own message.
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

// A regular file on a disk: not a folder, a link, a device or a pipe.
bool IsRegular(HANDLE handle);

inline HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
inline std::intptr_t FromHandle(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

}  // namespace tarnvik::platform::windows
