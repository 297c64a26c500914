#pragma once
// A new file written beside the file it is to become and then given that
// file's name in one rename: until then no reader sees any of it, and a
// failure or a kill at any point leaves the file of that name as it was (a
// killed process may leave the staged file behind, under a hidden name that
// no later save takes over). Every call reports failure by returning false
// (or Placed::Failed); error() then holds the system's text for it.
//
// The rename replaces the old file on POSIX with rename(); on Windows with
// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH), after the
// new file has taken over the old one's permissions, owner and creation time
// (what the system's replace call keeps; that call is not used, as it moves
// the old file away before the new one takes its name). The rename fails
// while another program (a virus scanner, a cloud storage client, an editor,
// a backup) has the old or the new file open without letting it be deleted:
// a rename, replacing or not, is tried again for about five seconds, at
// growing intervals, before the failure is reported, the old file still
// whole. The staged file is hidden there until it is finished.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tarnvik::platform {

class StagedFile {
 public:
  // Creates the file, empty and open for writing, in `folder` under a name
  // no entry has (".tarnvik-<process>-<n>.tmp"; a stale one of an earlier
  // crash is never reused or overwritten). The name is short and does not
  // grow with the name of the file it is to become.
  explicit StagedFile(const std::string& folder);
  // Removes the file unless it took its name.
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  bool isOpen() const { return handle_ != kClosed; }
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }

  // What the file takes over from the one it replaces, as far as the system
  // lets this user: best effort, the content matters more.
  void keep(const Ownership& ownership);
  bool write(std::string_view bytes);
  // Syncs the content to the disk and closes the file.
  bool finish();

  enum class Placed {
    Done,   // the file has the name now, and the rename is durable
    Taken,  // create(): an entry has the name; the file stays staged
    Failed,
  };
  // After finish(): the file takes the name `target`, replacing what has it.
  Placed replace(const std::string& target);
  // After finish(): the file takes the name `target` unless an entry has it.
  // Where the file system cannot refuse to replace, a file that appeared
  // there since the caller saw none is replaced.
  Placed create(const std::string& target);

 private:
  bool failed();
  Placed placed(const std::string& target);

  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;  // the system's handle of the open file
  std::string path_;
  std::string error_;
  Ownership kept_;
  bool keepOwnership_ = false;
  bool named_ = false;  // the file took its name: nothing to remove
};

}  // namespace tarnvik::platform
