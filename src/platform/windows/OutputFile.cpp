#include "platform/OutputFile.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/windows/WinFiles.h"

namespace tarnvik::platform {

using windows::AsHandle;

// What is there already is looked at first (NUL, CON and COM1 are devices);
// others may read the file while it is written. The right to read the
// file's attributes is asked for too: without it the system refuses to say
// what the file is, and it would be taken for no regular file.
OutputFile::OutputFile(const std::string& path) {
  const FileStatus::Kind there = StatusOf(path, Links::Follow).kind;
  if (there == FileStatus::Kind::Folder || there == FileStatus::Kind::Other) {
    error_ = kNotRegular;
    return;
  }
  windows::UniqueHandle file(CreateFileW(windows::WidePath(path).c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  FILE_END_OF_FILE_INFO empty{};
  if (!file.valid()) {
    failed();
  } else if (!windows::IsRegular(file.get())) {
    error_ = kNotRegular;
  } else if (!SetFileInformationByHandle(file.get(), FileEndOfFileInfo, &empty, sizeof empty)) {
    failed();
  } else {
    handle_ = windows::FromHandle(file.release());
  }
}

OutputFile::~OutputFile() {
  if (isOpen()) CloseHandle(AsHandle(handle_));
}

bool OutputFile::failed() {
  error_ = windows::LastErrorText();
  return false;
}

bool OutputFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(AsHandle(handle_), bytes.data(), size, &written, nullptr)) return failed();
    if (written == 0) {
      error_ = "the file took no more bytes";
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool OutputFile::close() {
  const HANDLE file = AsHandle(handle_);
  handle_ = kClosed;
  return CloseHandle(file) || failed();
}

}  // namespace tarnvik::platform
