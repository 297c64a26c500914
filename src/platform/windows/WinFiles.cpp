#include "platform/windows/WinFiles.h"

namespace tarnvik::platform::windows {

namespace {

struct KnownError {
  DWORD code;
  const char* text;
};

constexpr KnownError kKnownErrors[] = {
    {ERROR_FILE_NOT_FOUND, "No such file or directory"},
    {ERROR_PATH_NOT_FOUND, "No such file or directory"},
    {ERROR_INVALID_DRIVE, "No such file or directory"},
    {ERROR_BAD_NETPATH, "No such file or directory"},
    {ERROR_ACCESS_DENIED, "Permission denied"},
    {ERROR_HANDLE_DISK_FULL, "No space left on device"},
    {ERROR_DISK_FULL, "No space left on device"},
    {ERROR_FILE_EXISTS, "File exists"},
    {ERROR_ALREADY_EXISTS, "File exists"},
    {ERROR_DIRECTORY, "Not a directory"},
    {ERROR_FILENAME_EXCED_RANGE, "File name too long"},
    {ERROR_WRITE_PROTECT, "Read-only file system"},
    {ERROR_NOT_ENOUGH_MEMORY, "Cannot allocate memory"},
};

constexpr std::size_t kOldPathLimit = 248;  // what CreateDirectory takes; files take 260

// The full path, in its \\?\ form when it is long.
std::wstring FullPath(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (wide.starts_with(LR"(\\?\)") || wide.starts_with(LR"(\\.\)")) return wide;
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return wide;
  std::wstring full(length, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) return wide;
  full.resize(written);
  if (written < kOldPathLimit) return full;
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

}  // namespace

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring WidePath(const std::string& path) {
  std::wstring full = FullPath(path);
  return full.starts_with(LR"(\\?\)") ? full : Wide(path);
}

std::string ErrorText(DWORD code) {
  for (const KnownError& known : kKnownErrors)
    if (known.code == code) return known.text;
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  // In the user's language, as UTF-8: the window and a console show each
  // valid UTF-8 sequence as its character.
  std::string text = Narrow(std::wstring_view(buffer, length));
  if (buffer != nullptr) LocalFree(buffer);
  // Messages end with a full stop and CR LF; the program's own lines add theirs.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text.empty() ? "system error " + std::to_string(code) : text;
}

FileId IdOf(const BY_HANDLE_FILE_INFORMATION& info) {
  const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  // 100-nanosecond steps.
  const std::uint64_t written = join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  return {info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
          join(info.nFileSizeHigh, info.nFileSizeLow), static_cast<std::int64_t>(written / 10000000),
          static_cast<std::int64_t>(written % 10000000 * 100)};
}

bool IsLink(HANDLE handle, DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  FILE_ATTRIBUTE_TAG_INFO tag{};
  return !GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) ||
         IsReparseTagNameSurrogate(tag.ReparseTag);
}

bool IsRegular(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
  return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
         (info.dwFileAttributes & kNotAFile) == 0 && !IsLink(handle, info.dwFileAttributes);
}

}  // namespace tarnvik::platform::windows
