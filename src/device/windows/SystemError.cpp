#include "device/windows/SystemError.h"

#include <string_view>

#include "device/windows/WindowsHidFraming.h"

namespace tarnvik::winhid {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide texts are UTF-16");

std::string SystemError(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const std::u16string_view message(length != 0 ? reinterpret_cast<const char16_t*>(buffer) : u"", length);
  std::string text = SystemErrorText(code, message);
  if (buffer != nullptr) LocalFree(buffer);
  return text;
}

std::string LastSystemError() { return SystemError(GetLastError()); }

}  // namespace tarnvik::winhid
