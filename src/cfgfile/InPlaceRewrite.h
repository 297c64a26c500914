#pragma once
// Rewrites a file where it stands, for the one case where a file cannot be
// replaced by a new one: its folder takes no new file. Such a rewrite cannot
// be atomic; it is made safe in steps instead:
//
//   CopyKept     the old content is copied to the user's cache folder
//                (CopyFor names the copy) and synced, before the file is touched;
//                the copy takes the file's owner and permissions as far as the
//                system lets this user, so it is never more readable than the
//                file, and its folder is private to the user
//   Marked       the file's head is overwritten with a mark that no reader of
//                this program accepts, and synced: from here on the file reads
//                as another program's configuration file (and as an image
//                whose checksum fails) until the rewrite ends
//   RoomTaken    the disk space for the longer of the two contents is taken
//   BodyWritten  the new content after its head is written
//   Truncated    the file is cut to the new content's length
//   Synced       all of it reaches the disk
//   HeadWritten  the new content's head replaces the mark in one write of at
//                most 512 bytes (one disk sector), and is synced
//   CopyDropped  the copy is removed
//
// Wherever the rewrite stops (a kill, a power loss) the file holds the old
// content, the new one, or the mark with the old content in the copy; never a
// mix that reads as a configuration. A failure on the way puts the old content
// back and removes the copy; where even that fails, the copy stays and the
// reason names it. A file that still carries the mark of an earlier unfinished
// rewrite keeps that rewrite's copy: it holds the last good content.

#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tarnvik {

namespace platform {
class RewritableFile;
}

class InPlaceRewrite {
 public:
  enum class Step { CopyKept, Marked, RoomTaken, BodyWritten, Truncated, Synced, HeadWritten, CopyDropped };
  // Called after each step; tests stop the process there.
  using StepHook = std::function<void(Step)>;

  // `file` is open on `target` and holds `oldContent`; `ownership` is the
  // file's, for the copy.
  InPlaceRewrite(platform::RewritableFile& file, const std::string& target, std::string oldContent,
                 const platform::Ownership& ownership, StepHook hook);

  // Empty when the file now holds `next`; otherwise why not.
  std::string run(std::string_view next);

  // Where the old content of `target` is kept during a rewrite:
  // <cache>/tarnvik/in-place/<name>~<16 hex digits that tell apart files of
  // that name in different folders>; empty when the user has no cache folder.
  // Each folder from the cache folder down must be the user's own and
  // writable by no other user (what a link there leads to as well), or the
  // rewrite is refused: another user could otherwise swap the copy; the last
  // one is made private to the user when it is not.
  static std::string CopyFor(const std::string& target);

  // The head that marks a file whose rewrite has not ended, naming the copy.
  static std::string Mark(const std::string& copy);

 private:
  std::string keepCopy();
  std::string undo(const std::string& why);
  void dropCopy() const;
  void step(Step done) const;

  platform::RewritableFile& file_;
  std::string copy_;
  std::string old_;
  platform::Ownership ownership_;
  StepHook hook_;
  bool earlierCopy_ = false;  // the copy is an unfinished rewrite's, not this one's
};

}  // namespace tarnvik
