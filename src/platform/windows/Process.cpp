#include "platform/Process.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/windows/WinFiles.h"
// After windows.h, which it needs.
#include <shellapi.h>

namespace tarnvik::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(windows::Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  const std::wstring wideName = windows::Wide(name);
  std::wstring value(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (length < value.size()) {
      value.resize(length);
      return windows::Narrow(value);
    }
    value.resize(length);  // the size it needs, with its end
  }
}

bool PrepareStandardStreams() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  for (std::FILE* stream : {stdin, stdout, stderr})
    if (_fileno(stream) >= 0) _setmode(_fileno(stream), _O_BINARY);
  return output == nullptr || output == INVALID_HANDLE_VALUE;
}

}  // namespace tarnvik::platform
