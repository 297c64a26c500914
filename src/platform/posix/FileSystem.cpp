#include "platform/FileSystem.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/posix/PosixFiles.h"
#include "platform/posix/UniqueFd.h"

namespace tarnvik::platform {

namespace fs = std::filesystem;

namespace {

fs::path FolderOf(const fs::path& entry) { return entry.has_parent_path() ? entry.parent_path() : fs::path("."); }

// Sticky and writable by every user: anyone may put a link there, and only
// its maker (or the folder's owner) may remove it again.
bool SharedSticky(const struct stat& folder) { return (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH); }

// A new hidden name beside `path` for each attempt; never an existing file.
UniqueFd CreateTemporary(const fs::path& path, std::string& name) {
  const std::string stem = ".tarnvik-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = (FolderOf(path) / (stem + std::to_string(attempt) + ".tmp")).string();
    UniqueFd fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.valid() || errno != EEXIST) return fd;
  }
  return UniqueFd();
}

// Gives the temporary file the name unless something has it already: link()
// refuses an existing name; a file system without hard links may still
// rename without replacing.
CreateOutcome TakeName(const std::string& temporary, const std::string& path) {
  if (::link(temporary.c_str(), path.c_str()) == 0) return CreateOutcome::Created;
  if (errno == EEXIST) return CreateOutcome::Existed;
  if (RenameWithoutReplacing(temporary, path) == 0) return CreateOutcome::Created;
  return errno == EEXIST ? CreateOutcome::Existed : CreateOutcome::Failed;
}

}  // namespace

FileStatus StatusOf(const std::string& path, Links links) {
  struct stat info {};
  const int result = links == Links::Follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  if (result != 0) {
    if (errno == ENOENT) return {};
    return {FileStatus::Kind::Unknown, {}, false, {}, SystemError()};
  }
  const FileStatus::Kind kind = S_ISREG(info.st_mode)   ? FileStatus::Kind::Regular
                                : S_ISDIR(info.st_mode) ? FileStatus::Kind::Folder
                                                        : FileStatus::Kind::Other;
  return {kind, IdOf(info), (info.st_mode & 0222) == 0, {info.st_mode & 07777u, info.st_uid, info.st_gid}, {}};
}

std::string WriteRefusal(const std::string& path) { return ::access(path.c_str(), W_OK) == 0 ? "" : SystemError(); }

// Opened without waiting for a reader of a named pipe (one without a reader
// refuses at once, ENXIO), and emptied only once it is known to be a regular
// file.
bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool fresh, std::string& error) {
  const UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
    error = errno == ENXIO ? kNotRegular : SystemError();
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = kNotRegular;
    return false;
  }
  if (fresh && ::ftruncate(fd.get(), 0) != 0) {
    error = SystemError();
    return false;
  }
  const ssize_t written = ::pwrite(fd.get(), bytes.data(), bytes.size(), static_cast<off_t>(offset));
  if (written == static_cast<ssize_t>(bytes.size())) return true;
  error = written < 0 ? SystemError() : "short write";
  return false;
}

LinkRead ReadLink(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return {};
  const fs::path target = fs::read_symlink(path, error);
  return {true, target.string(), error ? error.message() : std::string()};
}

void SyncFolder(const std::string& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

std::string LinkRefusal(const std::string& path) {
  fs::path walked;
  for (const fs::path& part : fs::path(path)) {
    if (part.empty()) continue;
    walked /= part;
    struct stat link {
    }, folder{};
    if (::lstat(walked.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) continue;
    if (::stat(FolderOf(walked).c_str(), &folder) != 0 || !SharedSticky(folder)) continue;
    if (link.st_uid == ::geteuid() || link.st_uid == folder.st_uid) continue;
    return walked.string() + " is a link another user placed in a shared folder; it is not followed";
  }
  return {};
}

std::string ForeignAccess(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? std::string() : path + ": " + std::strerror(errno);
  if (info.st_uid != ::geteuid()) return path + " belongs to another user";
  if (!S_ISLNK(info.st_mode) && (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
    return "other users may write " + path + " (chmod go-w " + path + ")";
  return {};
}

CreateOutcome CreateIfAbsent(const std::string& path, std::string_view content, std::string& error) {
  struct stat existing {};
  if (::lstat(path.c_str(), &existing) == 0) return CreateOutcome::Existed;
  std::string temporary;
  UniqueFd fd = CreateTemporary(path, temporary);
  const bool made = fd.valid();
  const bool written = made && WriteAll(fd.get(), content) && SyncToDisk(fd.get()) == 0 && ::close(fd.release()) == 0;
  const CreateOutcome outcome = written ? TakeName(temporary, path) : CreateOutcome::Failed;
  if (outcome == CreateOutcome::Failed) error = std::strerror(errno);
  if (made) ::unlink(temporary.c_str());
  if (outcome == CreateOutcome::Created) SyncFolder(FolderOf(path).string());
  return outcome;
}

std::string UserCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return cache;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache";
  const passwd* user = ::getpwuid(::geteuid());
  if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/')
    return std::string(user->pw_dir) + "/.cache";
  return {};
}

}  // namespace tarnvik::platform
