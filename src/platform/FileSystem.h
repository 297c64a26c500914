#pragma once
// What the program needs of the file system beyond the C++ library, where
// operating systems differ: who may have put a link or a file where the
// program is about to write, creating a file only if it is not there yet, and
// where per-user and shared files live.

#include <string>
#include <string_view>

namespace tarnvik::platform {

// Empty when every symbolic link along `path` may be followed: each folder on
// the way and the last name. A link in a folder that every user may write and
// that is sticky (the system's temporary folders) is followed only when the
// caller or the folder's owner made it, as the kernel's rule for such folders
// (protected_symlinks) has it: anyone could have planted it to point the
// program at a file of the caller's. Otherwise the reason it is not followed.
std::string LinkRefusal(const std::string& path);

// Empty when the entry at `path` (a link there is not followed) belongs to the
// caller and, unless it is a link, no other user may write it: state that the
// program trusts and changes must not be another user's to steer. Otherwise
// why not, naming what to do about it. A missing entry is not refused.
std::string ForeignAccess(const std::string& path);

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

// Where the programs of every user keep lock files of shared things (units):
// /run/lock, or where it is missing the user's runtime folder, else the
// system's temporary folder.
std::string SharedLockFolder();

// The user's cache folder ($XDG_CACHE_HOME, else .cache in the home folder);
// empty when the user has none.
std::string UserCacheFolder();

}  // namespace tarnvik::platform
