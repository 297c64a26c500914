#include "platform/StagedFile.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/PathText.h"
#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

using windows::AsHandle;
using windows::WidePath;

namespace {

// Another program that has the old file open (a virus scanner looking at the
// new content, an editor, a backup) keeps the rename from happening for a
// moment: it is tried again for about a second.
constexpr int kAttempts = 20;
constexpr std::chrono::milliseconds kRetryPause{50};

bool HeldByAnother(DWORD code) {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
}

}  // namespace

StagedFile::StagedFile(const std::string& folder) {
  const std::string stem = ".tarnvik-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = TextOf(PathOf(folder) / PathOf(stem + std::to_string(attempt) + ".tmp"));
    const HANDLE file = CreateFileW(WidePath(candidate).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
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

// The attributes go on once the content is there (finish), as a user's
// hidden file stays hidden; the file's security comes from its folder.
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
  if (keepOwnership_ && kept_.mode != 0) {
    FILE_BASIC_INFO basic{};  // times of zero are left as they are
    basic.FileAttributes = kept_.mode;
    if (!SetFileInformationByHandle(AsHandle(handle_), FileBasicInfo, &basic, sizeof basic)) {
      // The replacement keeps plain attributes.
    }
  }
  const HANDLE file = AsHandle(handle_);
  handle_ = kClosed;
  return CloseHandle(file) || failed();
}

StagedFile::Placed StagedFile::placed(const std::string&) {
  named_ = true;
  return Placed::Done;
}

StagedFile::Placed StagedFile::replace(const std::string& target) {
  const std::wstring from = WidePath(path_), to = WidePath(target);
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return placed(target);
    if (attempt == kAttempts || !HeldByAnother(GetLastError())) break;
    std::this_thread::sleep_for(kRetryPause);
  }
  failed();
  return Placed::Failed;
}

StagedFile::Placed StagedFile::create(const std::string& target) {
  if (MoveFileExW(WidePath(path_).c_str(), WidePath(target).c_str(), MOVEFILE_WRITE_THROUGH)) return placed(target);
  const DWORD code = GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return Placed::Taken;
  failed();
  return Placed::Failed;
}

}  // namespace tarnvik::platform
