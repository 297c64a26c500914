#include "support/TestSystem.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <system_error>

#include "platform/PathText.h"

namespace tarnvik::test {

namespace fs = std::filesystem;

namespace {

std::wstring Wide(const std::string& text) { return platform::PathOf(text).native(); }

// One argument as the C runtime's parser of the command line reads it back.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

std::wstring CommandLine(const std::vector<std::string>& arguments) {
  std::wstring line;
  for (const std::string& argument : arguments) line += (line.empty() ? L"" : L" ") + Quoted(Wide(argument));
  return line;
}

// The test's environment with `added` ("NAME=value") in front, as a block.
std::wstring EnvironmentBlock(const std::vector<std::string>& added) {
  std::wstring block;
  for (const std::string& variable : added) block += Wide(variable) + L'\0';
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* variable = own; *variable != L'\0'; variable += wcslen(variable) + 1)
    block += std::wstring(variable) + L'\0';
  FreeEnvironmentStringsW(own);
  return block + L'\0';
}

HANDLE Inheritable(const std::string& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring name = path.empty() ? L"NUL" : Wide(path);
  return CreateFileW(name.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Starts the program with the given standard handles, which it inherits.
HANDLE Start(const std::vector<std::string>& arguments, HANDLE in, HANDLE out, HANDLE err,
             const std::vector<std::string>& environment) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  std::wstring line = CommandLine(arguments);
  std::wstring block = EnvironmentBlock(environment);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(Wide(arguments.front()).c_str(), line.data(), nullptr, nullptr, TRUE,
                      CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(), nullptr, &startup, &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The program's exit code, or the system's error code when it did not start.
struct Ending {
  bool started = false;
  DWORD code = 0;
};

Ending Wait(HANDLE process) {
  if (process == nullptr) return {false, GetLastError()};
  WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return {true, code};
}

// An exit status above 255 is an exception code (a crash, an abort).
int StatusOf(const Ending& ending) { return ending.started && ending.code <= 255 ? static_cast<int>(ending.code) : -1; }

// Why there is no exit status, added to the end of what the program wrote to
// its standard error, so that a failing test shows it.
void NoteWhyNoStatus(const Ending& ending, HANDLE errors) {
  if (StatusOf(ending) != -1 || errors == INVALID_HANDLE_VALUE) return;
  char note[96];
  std::snprintf(note, sizeof note, ending.started ? "[ended by exception 0x%08lX]" : "[not started: system error %lu]",
                static_cast<unsigned long>(ending.code));
  DWORD written = 0;
  SetFilePointer(errors, 0, nullptr, FILE_END);
  WriteFile(errors, note, static_cast<DWORD>(std::strlen(note)), &written, nullptr);
}

}  // namespace

bool OnPosix() { return false; }

bool MakeNamedPipe(const std::string&) { return false; }

// Each user's temporary folder is the user's own, and only privileged users
// may make symbolic links: there is no shared sticky folder to plant one in.
bool PlantLink(const std::string&, const std::string&, const std::string&) { return false; }

// The user's profile gives the folders their access; tests do not switch users.
void LendToUnprivileged(const std::string&) {}

fs::path MakeUniqueFolder(const fs::path& base, const std::string& prefix) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder = base / platform::PathOf(prefix + std::to_string(random()));
    if (fs::create_directory(folder)) return folder;  // false: the name was taken
  }
  throw fs::filesystem_error("no unique folder", base, std::make_error_code(std::errc::file_exists));
}

// Through the C runtime, which keeps its own copy (TZ is read from there) and
// passes the change on to the system's; an empty value removes the variable.
void SetEnvironment(const char* name, const char* value) {
  _wputenv_s(Wide(name).c_str(), value != nullptr ? Wide(value).c_str() : L"");
}

const char* CacheFolderVariable() { return "LOCALAPPDATA"; }

std::string ProgramBesideTests(const std::string& name) {
  std::wstring self(32768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  return platform::TextOf(fs::path(self).parent_path() / platform::PathOf(name + ".exe"));
}

int RunProgram(const std::vector<std::string>& arguments, const std::string& input, const std::string& output,
               const std::string& errors, const std::vector<std::string>& environment) {
  const HANDLE in = Inheritable(input, false), out = Inheritable(output, true), err = Inheritable(errors, true);
  const Ending ending = Wait(Start(arguments, in, out, err, environment));
  NoteWhyNoStatus(ending, err);
  for (const HANDLE handle : {in, out, err})
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return StatusOf(ending);
}

struct OtherProcess::Handles {
  HANDLE process = nullptr;
  HANDLE toChild = nullptr;
  HANDLE fromChild = nullptr;
  int status = -1;
  std::string pending;
};

OtherProcess::OtherProcess(const std::vector<std::string>& arguments) : handles_(std::make_unique<Handles>()) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE childIn = nullptr, childOut = nullptr;
  if (!CreatePipe(&childIn, &handles_->toChild, &inherit, 0)) return;
  if (CreatePipe(&handles_->fromChild, &childOut, &inherit, 0)) {
    // The test's own ends stay in the test.
    SetHandleInformation(handles_->toChild, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(handles_->fromChild, HANDLE_FLAG_INHERIT, 0);
    handles_->process = Start(arguments, childIn, childOut, GetStdHandle(STD_ERROR_HANDLE), {});
    CloseHandle(childOut);
  }
  CloseHandle(childIn);
}

OtherProcess::~OtherProcess() { finish(); }

bool OtherProcess::started() const { return handles_->process != nullptr; }

std::string OtherProcess::readLine() {
  std::string& pending = handles_->pending;
  for (;;) {
    if (const std::size_t end = pending.find('\n'); end != std::string::npos) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    char buffer[256];
    DWORD got = 0;
    if (handles_->fromChild == nullptr || !ReadFile(handles_->fromChild, buffer, sizeof buffer, &got, nullptr) ||
        got == 0)
      return std::exchange(pending, {});
    pending.append(buffer, got);
  }
}

void OtherProcess::writeLine(const std::string& line) {
  const std::string bytes = line + "\n";
  DWORD written = 0;
  if (handles_->toChild != nullptr)
    WriteFile(handles_->toChild, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int OtherProcess::finish() {
  for (HANDLE* handle : {&handles_->toChild, &handles_->fromChild}) {
    if (*handle != nullptr) CloseHandle(*handle);
    *handle = nullptr;
  }
  if (handles_->process != nullptr) handles_->status = StatusOf(Wait(std::exchange(handles_->process, nullptr)));
  return handles_->status;
}

}  // namespace tarnvik::test
