#pragma once
// Replaces a file as a whole or not at all. The new content goes to a
// temporary file in the target's folder, is synced to the disk and then
// renamed over the target, so a failure at any point (missing or read-only
// folder, read-only file, full disk) leaves the file that was there exactly as
// it was. Failures throw FileWriteError with the path as the operator gave it.
//
// A symbolic link is followed: the link stays and the file it points to is
// replaced. The replacement keeps the old file's permission bits (and, where
// the system allows, its owner).

#include <string>
#include <string_view>

#include "cfgfile/UniqueFd.h"

namespace tarnvik {

class AtomicFile {
 public:
  // Checks the target and creates the temporary file.
  explicit AtomicFile(const std::string& path);
  // Removes the temporary file unless commit() succeeded.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // The file that will be replaced (links resolved), and whether it exists.
  const std::string& target() const { return target_; }
  bool targetExists() const { return targetExists_; }

  void write(std::string_view bytes);
  // Syncs the new content and puts it in the target's place.
  void commit();

  // Ends the save with "Unable to write to <path>".
  [[noreturn]] void fail() const;

 private:
  void resolveTarget();
  void checkTarget();
  void createTemporary();
  void keepOwnership() const;
  void flush();

  std::string shownPath_;
  std::string target_;
  bool targetExists_ = false;
  unsigned oldMode_ = 0;
  unsigned oldOwner_ = 0;
  unsigned oldGroup_ = 0;
  std::string temporary_;
  UniqueFd fd_;
  std::string buffer_;
  bool committed_ = false;
};

}  // namespace tarnvik
