#pragma once
// The file of --trace. It is opened only once the command line has been
// checked, and must be a regular file or nothing: a named pipe would hold the
// tool until someone reads it, a device would swallow or refuse the lines, a
// folder cannot be written. It is emptied only once it is known to be a
// regular file. Every failed write is remembered, so that a trace that did not
// come out whole (a full disk, a file size limit) is reported at the end.

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "platform/OutputFile.h"

namespace tarnvik::cli {

class TraceFile {
 public:
  // Opens, creating it when missing, and empties the file. Throws
  // FileWriteError, with the reason, when that cannot be done.
  explicit TraceFile(const std::string& path);
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  std::ostream& stream() { return stream_; }
  const std::string& path() const { return path_; }

  // Writes what is left and closes the file. Why the trace is not whole
  // (the first error met), or an empty text when it is.
  std::string finish();

 private:
  // Writes straight to the file, keeping the first error.
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(platform::OutputFile& file) : file_(file) { setp(space_, space_ + sizeof space_); }
    const std::string& error() const { return error_; }

   protected:
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    bool drain();

    platform::OutputFile& file_;
    std::string error_;
    char space_[4096];
  };

  std::string path_;
  platform::OutputFile file_;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_{nullptr};
  std::string closeError_;
};

}  // namespace tarnvik::cli
