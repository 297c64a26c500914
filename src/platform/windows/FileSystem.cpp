#include "platform/FileSystem.h"

#include <filesystem>
#include <vector>

#include "platform/PathText.h"
#include "platform/Process.h"
#include "platform/StagedFile.h"
#include "platform/windows/ReparseData.h"
#include "platform/windows/WinFiles.h"
// After windows.h, which it needs.
#include <winioctl.h>

namespace tarnvik::platform {

using windows::ErrorText;
using windows::kShareAll;
using windows::UniqueHandle;
using windows::WidePath;

namespace fs = std::filesystem;

namespace {

// What a user sets on a file and a replacement keeps.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::string FolderOf(const std::string& path) {
  const fs::path file = PathOf(path);
  return file.has_parent_path() ? TextOf(file.parent_path()) : std::string(".");
}

// The folder in environment variable `name`, when it is an existing one.
std::string FolderFromEnvironment(const char* name) {
  const std::optional<std::string> folder = EnvironmentVariable(name);
  std::error_code error;
  if (!folder || folder->empty() || !PathOf(*folder).is_absolute() || !fs::is_directory(PathOf(*folder), error))
    return {};
  return *folder;
}

FileStatus::Kind KindOf(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& info) {
  if (GetFileType(handle) != FILE_TYPE_DISK || windows::IsLink(handle, info.dwFileAttributes))
    return FileStatus::Kind::Other;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileStatus::Kind::Folder : FileStatus::Kind::Regular;
}

}  // namespace

// Opened for its attributes only, which no other opener's sharing refuses;
// a folder opens too (backup semantics).
FileStatus StatusOf(const std::string& path, Links links) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (links == Links::Keep ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  const UniqueHandle handle(
      CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
  if (!handle.valid()) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return {};
    return {FileStatus::Kind::Unknown, {}, false, {}, ErrorText(code)};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle.get(), &info)) return {FileStatus::Kind::Other, {}, false, {}, {}};
  const FileStatus::Kind kind = KindOf(handle.get(), info);
  const bool readOnly = kind == FileStatus::Kind::Regular && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return {kind, windows::IdOf(info), readOnly, {info.dwFileAttributes & kKeptAttributes, 0, 0}, {}};
}

std::string WriteRefusal(const std::string&) { return {}; }

bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool fresh, std::string& error) {
  const UniqueHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  FILE_END_OF_FILE_INFO empty{};
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD written = 0;
  if (!file.valid() || (fresh && !SetFileInformationByHandle(file.get(), FileEndOfFileInfo, &empty, sizeof empty)) ||
      !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at)) {
    error = windows::LastErrorText();
    return false;
  }
  if (written == bytes.size()) return true;
  error = "short write";
  return false;
}

// The link itself is opened, and asked for its reparse data.
LinkRead ReadLink(const std::string& path) {
  const UniqueHandle handle(CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info) ||
      !windows::IsLink(handle.get(), info.dwFileAttributes))
    return {};
  std::vector<std::uint8_t> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD length = 0;
  if (!DeviceIoControl(handle.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(), static_cast<DWORD>(data.size()),
                       &length, nullptr))
    return {true, {}, windows::LastErrorText()};
  data.resize(length);
  const std::optional<std::u16string> target = windows::LinkTargetFromReparseData(data);
  if (!target) return {true, {}, "a link of a kind this program cannot follow"};
  return {
      true, windows::Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(target->data()), target->size())), {}};
}

// A folder opened for writing takes a flush too (NTFS writes its entries);
// where the file system or the rights refuse it, the rename stands unflushed.
void SyncFolder(const std::string& folder) {
  const UniqueHandle handle(CreateFileW(WidePath(folder).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle.valid()) FlushFileBuffers(handle.get());
}

std::string LinkRefusal(const std::string&) { return {}; }

std::string ForeignAccess(const std::string&) { return {}; }

CreateOutcome CreateIfAbsent(const std::string& path, std::string_view content, std::string& error) {
  const FileStatus::Kind there = StatusOf(path, Links::Keep).kind;
  if (there != FileStatus::Kind::Missing && there != FileStatus::Kind::Unknown) return CreateOutcome::Existed;
  StagedFile staged(FolderOf(path));
  if (staged.isOpen() && staged.write(content) && staged.finish()) {
    switch (staged.create(path)) {
      case StagedFile::Placed::Done: return CreateOutcome::Created;
      case StagedFile::Placed::Taken: return CreateOutcome::Existed;
      case StagedFile::Placed::Failed: break;
    }
  }
  error = staged.error();
  return CreateOutcome::Failed;
}

std::string UserCacheFolder() { return FolderFromEnvironment("LOCALAPPDATA"); }

}  // namespace tarnvik::platform
