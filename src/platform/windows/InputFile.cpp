#include "platform/InputFile.h"

#include <algorithm>

#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

using windows::AsHandle;

// Named pipes on Windows open at once or not at all: nothing to wait for.
InputFile::InputFile(const std::string& path, Wait) {
  const HANDLE file = CreateFileW(windows::WidePath(path).c_str(), GENERIC_READ, windows::kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    failed();
    return;
  }
  handle_ = windows::FromHandle(file);
}

InputFile InputFile::StandardInput() {
  InputFile input;
  const HANDLE standard = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE own = nullptr;
  if (standard == nullptr || standard == INVALID_HANDLE_VALUE)
    input.handle_ = kEmpty;
  else if (DuplicateHandle(GetCurrentProcess(), standard, GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS))
    input.handle_ = windows::FromHandle(own);
  else
    input.failed();
  return input;
}

InputFile::~InputFile() {
  if (handle_ != kClosed && handle_ != kEmpty) CloseHandle(AsHandle(handle_));
}

InputFile::InputFile(InputFile&& other) noexcept : handle_(other.handle_), error_(std::move(other.error_)) {
  other.handle_ = kClosed;
}

bool InputFile::failed() {
  error_ = windows::LastErrorText();
  return false;
}

bool InputFile::isRegular() { return handle_ != kEmpty && windows::IsRegular(AsHandle(handle_)); }

// A pipe whose writer has gone reports a broken pipe: its end.
bool InputFile::read(char* buffer, std::size_t size, std::size_t& count) {
  count = 0;
  if (handle_ == kEmpty) return true;
  DWORD got = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (ReadFile(AsHandle(handle_), buffer, wanted, &got, nullptr)) {
    count = got;
    return true;
  }
  const DWORD code = GetLastError();
  return code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF || failed();
}

}  // namespace tarnvik::platform
