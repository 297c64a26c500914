#include "platform/StagedFile.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/PathText.h"
#include "platform/windows/TakeOver.h"
#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

using windows::AsHandle;
using windows::WidePath;

namespace {

using std::chrono::milliseconds;

// Another program that has the old file or the new one open (a virus scanner
// looking at the new content, a cloud storage client syncing the folder, an
// editor, a backup) keeps the rename from happening for a while. It is tried
// again after each of these pauses: short at first, as most such looks take
// some milliseconds, then half a second at a time, about five seconds in all.
constexpr milliseconds kRetryPauses[] = {milliseconds(10),  milliseconds(20),  milliseconds(40),  milliseconds(80),
                                         milliseconds(150), milliseconds(300), milliseconds(500), milliseconds(500),
                                         milliseconds(500), milliseconds(500), milliseconds(500), milliseconds(500),
                                         milliseconds(500), milliseconds(500), milliseconds(500)};

bool HeldByAnother(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

// Runs `attempt` (which gives ERROR_SUCCESS or the system's error code) until
// it succeeds, fails for a reason other than another program's hold, or the
// pauses run out; gives its last code.
template <typename Attempt>
DWORD Retried(Attempt attempt) {
  DWORD code = attempt();
  for (const milliseconds pause : kRetryPauses) {
    if (code == ERROR_SUCCESS || !HeldByAnother(code)) break;
    std::this_thread::sleep_for(pause);
    code = attempt();
  }
  return code;
}

DWORD Moved(const std::wstring& from, const std::wstring& to, DWORD flags) {
  return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

StagedFile::StagedFile(const std::string& folder) {
  const std::string stem = ".tarnvik-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = TextOf(PathOf(folder) / PathOf(stem + std::to_string(attempt) + ".tmp"));
    const HANDLE file = CreateFileW(WidePath(candidate).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = windows::FromHandle(file);
      path_ = candidate;
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  failed();
}

StagedFile::~StagedFile() {
  if (isOpen()) CloseHandle(AsHandle(handle_));
  if (!named_ && !path_.empty()) DeleteFileW(WidePath(path_).c_str());
}

bool StagedFile::failed() {
  error_ = windows::LastErrorText();
  return false;
}

// The file is hidden while it is staged; its own attributes go on once the
// content is there (finish), a user's hidden file staying hidden. Its
// security comes from its folder, or from the file it replaces.
void StagedFile::keep(const Ownership& ownership) {
  kept_ = ownership;
  keepOwnership_ = true;
}

bool StagedFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(AsHandle(handle_), bytes.data(), size, &written, nullptr)) return failed();
    if (written == 0) {
      error_ = "Input/output error";
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool StagedFile::finish() {
  if (!FlushFileBuffers(AsHandle(handle_))) return failed();
  FILE_BASIC_INFO basic{};  // times of zero are left as they are
  basic.FileAttributes = keepOwnership_ && kept_.mode != 0 ? kept_.mode : FILE_ATTRIBUTE_NORMAL;
  if (!SetFileInformationByHandle(AsHandle(handle_), FileBasicInfo, &basic, sizeof basic)) return failed();
  const HANDLE file = AsHandle(handle_);
  handle_ = kClosed;
  return CloseHandle(file) || failed();
}

StagedFile::Placed StagedFile::placed(const std::string& target) {
  named_ = true;
  const std::filesystem::path file = PathOf(target);
  SyncFolder(file.has_parent_path() ? TextOf(file.parent_path()) : std::string("."));
  return Placed::Done;
}

// The file first takes over what belongs to the old one and not to its
// content. The rename itself is the one step that puts it in place: the
// name never stands empty, as it may in the system's replace (ReplaceFileW),
// which moves the old file away first.
StagedFile::Placed StagedFile::replace(const std::string& target) {
  const std::wstring from = WidePath(path_), to = WidePath(target);
  windows::TakeOver(to, from);
  const DWORD code = Retried([&] { return Moved(from, to, MOVEFILE_REPLACE_EXISTING); });
  if (code == ERROR_SUCCESS) return placed(target);
  SetLastError(code);
  failed();
  return Placed::Failed;
}

StagedFile::Placed StagedFile::create(const std::string& target) {
  const std::wstring from = WidePath(path_), to = WidePath(target);
  const DWORD code = Retried([&] { return Moved(from, to, 0); });
  if (code == ERROR_SUCCESS) return placed(target);
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return Placed::Taken;
  SetLastError(code);
  failed();
  return Placed::Failed;
}

}  // namespace tarnvik::platform
