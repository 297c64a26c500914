#pragma once
// Replaces a file as a whole or not at all. The new content goes to a
// temporary file in the target's folder, is synced to the disk and then
// renamed over the target, so a failure at any point (missing or read-only
// folder, read-only file, full disk) leaves the file that was there exactly as
// it was. Failures throw FileWriteError with the path as the operator gave it
// and the reason: the system's error text, "not a regular file", "changed by
// another program meanwhile" ...
//
// One case cannot be done that way: a folder that takes no new file (no
// write permission) holding a file that may be written. Then, and only then,
// the file is rewritten in place, in the steps InPlaceRewrite describes: the
// old content is copied to the user's cache folder first, and an interrupted
// rewrite leaves a file that no reader of this program takes for a
// configuration. Both contents are held in memory for it, so each may be at
// most kMaxInPlaceSize bytes.
//
// A symbolic link is followed: the link stays and the file it points to is
// replaced. The replacement keeps the old file's permission bits (and, where
// the system allows, its owner). A link that another user placed in a shared
// folder (such as /tmp) is not followed: the save is refused.
//
// The target is locked for a change (LockForChange) for as long as the
// AtomicFile lives, so that another program of ours that reads, changes and
// replaces the same file waits for this one. A file that a program that does
// not lock put in the target's place, or rewrote, while the new content was
// being prepared is not replaced: the save fails and that file stays. A target
// removed meanwhile is simply created anew.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "cfgfile/InPlaceRewrite.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"
#include "platform/StagedFile.h"

namespace tarnvik {

class AtomicFile {
 public:
  // Resolves links, locks and checks the target and creates the temporary
  // file, or, where the folder takes none and the target may be written,
  // chooses to rewrite in place (`hook` sees each step of that; tests).
  explicit AtomicFile(const std::string& path, InPlaceRewrite::StepHook hook = {});
  // Removes the temporary file unless commit() put it in the target's place.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // The file that will be replaced (links resolved), and whether it exists.
  const std::string& target() const { return target_; }
  bool targetExists() const { return targetExists_; }

  // The most a file rewritten in place may hold, before and after: far more
  // than any configuration file, far less than the memory of any computer.
  static constexpr std::size_t kMaxInPlaceSize = 16 * 1024 * 1024;
  // How long a save waits for another program that is changing the file.
  static constexpr std::chrono::seconds kChangeWait{10};

  // For a change that reads the file at `path` before it saves over it (the
  // tool's set FILE ... -o FILE): holding this from before the read until the
  // save has committed keeps a second program's change from being lost.
  // Throws FileWriteError when another program holds the file longer than
  // kChangeWait; holds nothing where there is no regular file.
  static platform::FileLock LockForChange(const std::string& path);

  // Why a save to `path` would be refused at its start: a link that the rule
  // for shared folders does not follow, an entry that is not a regular file, a
  // file marked read-only or that the user may not write, a new file in a
  // folder that is not there or takes none. Empty when the save may go ahead.
  // Nothing is locked or written: a command checks every file it will write
  // before it starts on what takes long or cannot be undone (asking the unit).
  static std::string Refusal(const std::string& path);

  // Removes the file that commit() will replace, if there is one, before
  // anything new is written anywhere: for a pair of files that must not mix
  // two runs, the older file goes first. Throws FileWriteError where it cannot
  // be removed (its folder takes no new file, or it is no longer the file
  // that was checked).
  void removeOld();

  void write(std::string_view bytes);
  // Syncs the new content and puts it in the target's place.
  void commit();

  // Ends the save with "Unable to write to <path>" and the reason.
  [[noreturn]] void fail(const std::string& reason) const;
  // The same for a caller that could not read the target: the reason is the
  // system's text for the error that the failed read left.
  [[noreturn]] void fail() const;

 private:
  void resolveTarget();
  void checkTarget();
  void putInPlace();
  void flush();
  void rewriteInPlace();

  std::string shownPath_;
  std::string target_;
  bool targetExists_ = false;
  platform::Ownership oldOwnership_;
  platform::FileId checked_;
  platform::FileLock changeLock_;
  InPlaceRewrite::StepHook hook_;
  std::unique_ptr<platform::StagedFile> staged_;  // the new content, beside the target
  std::string buffer_;
  bool inPlace_ = false;
};

}  // namespace tarnvik
