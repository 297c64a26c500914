#pragma once
// The file of --trace. Its lines are written while the command runs, into a
// new file beside the one named, which takes that name only at the end, as
// every output of the tool does (AtomicFile): an existing file is never
// emptied where it stands, a link that another user planted in a shared
// folder is not followed, and anything but a regular file (a named pipe that
// would hold the tool, a device that would swallow the lines, a folder) is
// refused. Every failed write is remembered, so that a trace that did not come
// out whole (a full disk, a file size limit) is reported at the end, and the
// old file then stays as it was.

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace tarnvik {
class AtomicFile;
}

namespace tarnvik::cli {

class TraceFile {
 public:
  // Prepares the new file. Throws FileWriteError, with the reason, when the
  // file named cannot be written.
  explicit TraceFile(const std::string& path);
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  std::ostream& stream() { return stream_; }
  const std::string& path() const { return path_; }

  // Writes what is left and puts the new file in the old one's place. Why
  // the trace is not whole (the first error met), or an empty text when it is.
  std::string finish();

 private:
  // Hands the lines to the file, keeping the first error.
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(AtomicFile& file) : file_(file) { setp(space_, space_ + sizeof space_); }
    const std::string& error() const { return error_; }

   protected:
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    bool drain();

    AtomicFile& file_;
    std::string error_;
    char space_[4096];
  };

  std::string path_;
  std::unique_ptr<AtomicFile> file_;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_{nullptr};
};

}  // namespace tarnvik::cli
