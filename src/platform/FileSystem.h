#pragma once
// What the program needs of the file system beyond the C++ library, where
// operating systems differ: what an entry is and which file it is, who may
// have put a link or a file where the program is about to write, creating a
// file only if it is not there yet, writing pages of a file, and where
// per-user and shared files live. Paths are UTF-8 text (PathText.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvik::platform {

// What tells one file, and one state of it, from another: the file itself
// (device and file number on POSIX; volume serial number and file index on
// Windows), its length and when it was last written, as finely as the file
// system keeps it.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;
  bool operator==(const FileId&) const = default;
  bool sameFile(const FileId& other) const { return device == other.device && file == other.file; }
};

// What a replacement of a file takes over from it where it can: the owner,
// group and permission bits on POSIX; the attributes a user may set (hidden,
// system, archive, not indexed) on Windows, where a replacement takes the old
// file's permissions, owner and creation time over as well.
// The reason given when a path names a folder, a device or a pipe where the
// program wants a file.
inline constexpr const char* kNotRegular = "not a regular file";

struct Ownership {
  std::uint32_t mode = 0;
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
};

struct FileStatus {
  enum class Kind {
    Missing,  // no entry of that name (or, following links, a link to none)
    Regular,
    Folder,
    Other,    // a link (when not followed), a device, a pipe, a socket
    Unknown,  // it could not be looked at; `error` says why
  };
  Kind kind = Kind::Missing;
  FileId id;              // for an entry that is there
  bool readOnly = false;  // marked so for every user: no write permission bit, or the read-only attribute
  Ownership ownership;    // for an entry that is there
  std::string error;      // for Unknown, in the system's words
};

enum class Links { Follow, Keep };

// The entry at `path` now, its links followed or not.
FileStatus StatusOf(const std::string& path, Links links);

// What the entry at `path` is as a link: whether it is one and, when it is,
// where it leads as the link holds it (relative to the link's folder, or
// absolute). POSIX: symbolic links. Windows: symbolic links and junctions,
// which the C++ library of MinGW-w64 does not tell from their targets.
// `error` says why a link could not be read; a missing entry is no link.
struct LinkRead {
  bool isLink = false;
  std::string target;
  std::string error;
};
LinkRead ReadLink(const std::string& path);

// Empty when the caller may write the existing file at `path`; otherwise why
// not, in the system's words. (POSIX asks access(); on Windows the file's
// security is met when it is replaced, and the read-only attribute shows in
// StatusOf.)
std::string WriteRefusal(const std::string& path);

// Writes `bytes` at `offset` into the file at `path`, created when missing,
// after emptying it when `fresh`. False with `error` in the system's words
// ("short write" when the file took only part).
bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool fresh, std::string& error);

// Makes what was renamed into `folder` durable. A failure changes nothing of
// what was renamed and is not reported. (On Windows the folder is flushed
// where its file system lets it; a rename there is also written through.)
void SyncFolder(const std::string& folder);

// Empty when every symbolic link along `path` may be followed: each folder on
// the way and the last name. A link in a folder that every user may write and
// that is sticky (the system's temporary folders) is followed only when the
// caller or the folder's owner made it, as the kernel's rule for such folders
// (protected_symlinks) has it: anyone could have planted it to point the
// program at a file of the caller's. Otherwise the reason it is not followed.
// Windows has no such folders (each user's temporary folder is the user's
// own) and lets only privileged users make symbolic links: nothing is refused
// there.
std::string LinkRefusal(const std::string& path);

// Empty when the entry at `path` (a link there is not followed) belongs to the
// caller and, unless it is a link, no other user may write it: state that the
// program trusts and changes must not be another user's to steer. Otherwise
// why not, naming what to do about it. A missing entry is not refused. On
// Windows the folders the program keeps such state in (the user's local
// application data, or one the operator names) get their access from the
// user's profile, and owners and modes are not POSIX's: nothing is refused.
std::string ForeignAccess(const std::string& path);

// Makes the caller's own folder at `path` private to the caller, when it is
// not (POSIX: no permission for the group or others, mode 0700). Empty when
// it is private now; otherwise why not, in the system's words. On Windows a
// user's folders get their access from the user's profile: nothing is done.
std::string MakePrivate(const std::string& path);

enum class CreateOutcome {
  Created,  // the file is there now, whole, with `content`
  Existed,  // something was already there; it is left as it is
  Failed,   // nothing was created; `error` says why, in the system's words
};

// Creates the file at `path` with `content` unless an entry of that name
// exists. The file appears whole or not at all, its content synced to the
// disk: a process killed half-way never leaves a short or empty file, and of
// two processes creating the same file, one creates it and the other finds
// it (a killed one may leave a hidden temporary file beside it).
CreateOutcome CreateIfAbsent(const std::string& path, std::string_view content, std::string& error);

// The user's cache folder ($XDG_CACHE_HOME, else .cache in the home folder;
// on Windows the user's local application data, %LOCALAPPDATA%); empty when
// the user has none.
std::string UserCacheFolder();

}  // namespace tarnvik::platform
