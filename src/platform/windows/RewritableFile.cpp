#include "platform/RewritableFile.h"

#include <algorithm>
#include <array>

#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

using windows::AsHandle;

namespace {

OVERLAPPED At(std::uint64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return at;
}

bool SetEnd(HANDLE file, std::uint64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  return SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
}

HANDLE Open(const std::wstring& path, DWORD flags) {
  return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, windows::kShareAll, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

}  // namespace

// A link in its place is opened as itself and refused; other programs may go
// on reading the file, and renaming or removing it. A file's own reparse
// point (the placeholder of a cloud storage client) gives the file's content
// only through the file system's filter, which opening the reparse point
// passes by: such a file is opened again the ordinary way, and must be the
// same file.
RewritableFile::RewritableFile(const std::string& path) {
  const std::wstring wide = windows::WidePath(path);
  windows::UniqueHandle file(Open(wide, FILE_FLAG_OPEN_REPARSE_POINT));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
    failed();
    return;
  }
  if (!windows::IsRegular(file.get())) {
    error_ = "not a regular file";
    return;
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    windows::UniqueHandle ordinary(Open(wide, 0));
    BY_HANDLE_FILE_INFORMATION again{};
    if (!ordinary.valid() || !GetFileInformationByHandle(ordinary.get(), &again)) {
      failed();
      return;
    }
    if (!windows::IdOf(again).sameFile(windows::IdOf(info))) {
      error_ = "the file was replaced while it was opened";
      return;
    }
    file.reset(ordinary.release());
  }
  handle_ = windows::FromHandle(file.release());
}

RewritableFile::~RewritableFile() {
  if (isOpen()) CloseHandle(AsHandle(handle_));
}

bool RewritableFile::failed() {
  error_ = windows::LastErrorText();
  return false;
}

bool RewritableFile::identify(FileId& id) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(AsHandle(handle_), &info)) return failed();
  id = windows::IdOf(info);
  return true;
}

bool RewritableFile::readAll(std::size_t limit, std::string& content) {
  std::array<char, 64 * 1024> buffer;
  content.clear();
  while (content.size() <= limit) {
    const DWORD wanted = static_cast<DWORD>(std::min(buffer.size(), limit + 1 - content.size()));
    OVERLAPPED at = At(content.size());
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), buffer.data(), wanted, &got, &at))
      return GetLastError() == ERROR_HANDLE_EOF || failed();
    if (got == 0) return true;
    content.append(buffer.data(), got);
  }
  return true;
}

bool RewritableFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    OVERLAPPED at = At(offset);
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), bytes.data(), size, &written, &at)) return failed();
    if (written == 0) {
      error_ = "Input/output error";
      return false;
    }
    bytes.remove_prefix(written);
    offset += written;
  }
  return true;
}

// Growing the file takes its space on the disk (a full disk says so here).
bool RewritableFile::reserve(std::uint64_t size) {
  FileId now;
  if (!identify(now)) return false;
  return now.size >= size || SetEnd(AsHandle(handle_), size) || failed();
}

bool RewritableFile::truncate(std::uint64_t size) { return SetEnd(AsHandle(handle_), size) || failed(); }

bool RewritableFile::sync() { return FlushFileBuffers(AsHandle(handle_)) || failed(); }

bool RewritableFile::close() {
  const HANDLE file = AsHandle(handle_);
  handle_ = kClosed;
  return CloseHandle(file) || failed();
}

}  // namespace tarnvik::platform
