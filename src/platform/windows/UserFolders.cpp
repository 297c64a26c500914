#include "platform/UserFolders.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace tarnvik::platform {

namespace {

std::string Utf8(const wchar_t* text) {
  const int length = static_cast<int>(std::wcslen(text));
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

// A drive-letter or network path; anything else is not a folder to trust.
bool Absolute(const wchar_t* folder) {
  return folder != nullptr && ((folder[0] != L'\0' && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/')) ||
                               (folder[0] == L'\\' && folder[1] == L'\\'));
}

}  // namespace

// %LOCALAPPDATA% (C:\Users\NAME\AppData\Local), else the same below the
// user's profile folder.
std::string UserDataFolder() {
  if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); Absolute(local)) return Utf8(local);
  if (const wchar_t* profile = _wgetenv(L"USERPROFILE"); Absolute(profile)) return Utf8(profile) + "\\AppData\\Local";
  return {};
}

}  // namespace tarnvik::platform
