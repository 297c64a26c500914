#pragma once
// Replaces a file as a whole or not at all. The new content goes to a
// temporary file in the target's folder, is synced to the disk and then
// renamed over the target, so a failure at any point (missing or read-only
// folder, read-only file, full disk) leaves the file that was there exactly as
// it was. Failures throw FileWriteError with the path as the operator gave it.
//
// One case cannot be done that way: a folder that takes no new file (no
// write permission) holding a file that may be written. Then, and only then,
// the file is rewritten in place: the new content is collected in memory (up
// to kMaxInPlaceSize bytes), room for it is taken on the disk before the old
// content is touched, and only then is it written over the old. Anything that
// fails up to that point leaves the old file as it was; only a failure of
// the disk during that last write can leave it damaged.
//
// A symbolic link is followed: the link stays and the file it points to is
// replaced. The replacement keeps the old file's permission bits (and, where
// the system allows, its owner).
//
// A file that another program put in the target's place, or rewrote, while
// the new content was being prepared is not replaced: the save fails and that
// file stays. A target removed meanwhile is simply created anew.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

#include "cfgfile/UniqueFd.h"

namespace tarnvik {

class AtomicFile {
 public:
  // Checks the target and creates the temporary file, or, where the folder
  // takes none and the target may be written, chooses to rewrite in place.
  explicit AtomicFile(const std::string& path);
  // Removes the temporary file unless commit() succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // The file that will be replaced (links resolved), and whether it exists.
  const std::string& target() const { return target_; }
  bool targetExists() const { return targetExists_; }
  // True when the target will be rewritten in place (see above).
  bool inPlace() const { return inPlace_; }

  // The most a file rewritten in place may hold: far more than any
  // configuration file, far less than the memory of any computer.
  static constexpr std::size_t kMaxInPlaceSize = 16 * 1024 * 1024;

  void write(std::string_view bytes);
  // Syncs the new content and puts it in the target's place.
  void commit();

  // Ends the save with "Unable to write to <path>".
  [[noreturn]] void fail() const;

 private:
  void resolveTarget();
  void checkTarget();
  bool sameAsChecked(const struct stat& now) const;
  void putInPlace() const;
  bool createTemporary();
  void keepOwnership() const;
  void flush();
  void rewriteInPlace();
  void reserveRoom(int fd, off_t oldSize) const;

  std::string shownPath_;
  std::string target_;
  bool targetExists_ = false;
  unsigned oldMode_ = 0;
  unsigned oldOwner_ = 0;
  unsigned oldGroup_ = 0;
  dev_t oldDevice_ = 0;
  ino_t oldInode_ = 0;
  off_t oldSize_ = 0;
  timespec oldModified_{};
  std::string temporary_;
  UniqueFd fd_;
  std::string buffer_;
  bool inPlace_ = false;
  bool committed_ = false;
};

}  // namespace tarnvik
