#include "platform/Process.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "platform/ConsoleText.h"
#include "platform/windows/ConsoleOutput.h"
#include "platform/windows/WinFiles.h"
// After windows.h, which it needs.
#include <shellapi.h>

namespace tarnvik::platform {

using windows::IsConsole;
using windows::WriteConsoleText;

namespace {

bool WriteBytes(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle, bytes.data(), size, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A handle the program was given: not none, and one the system knows.
bool Given(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  SetLastError(NO_ERROR);
  return GetFileType(handle) != FILE_TYPE_UNKNOWN || GetLastError() == NO_ERROR;
}

}  // namespace

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

// The buffers are never destroyed: the streams' last flush at exit reaches them.
void ShowTextOnConsoles(std::ostream& out, std::ostream& err) {
  const std::pair<std::ostream*, DWORD> streams[] = {{&out, STD_OUTPUT_HANDLE}, {&err, STD_ERROR_HANDLE}};
  for (const auto& [stream, which] : streams)
    if (const HANDLE handle = GetStdHandle(which); IsConsole(handle)) stream->rdbuf(new windows::ConsoleOutput(handle));
}

// A window program has no standard streams unless it was started with them
// redirected. It may attach to the console of the program that started it;
// when it has one already, that one is used.
bool WriteToStandardStream(StandardStream stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (Given(handle)) return IsConsole(handle) ? WriteConsoleText(handle, ConsoleText(text)) : WriteBytes(handle, text);
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return false;
  const windows::UniqueHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                  nullptr));
  return console.valid() && WriteConsoleText(console.get(), ConsoleText(text));
}

}  // namespace tarnvik::platform
