#include "cli/TraceFile.h"

#include "cfgfile/AtomicFile.h"
#include "core/OperationError.h"

namespace tarnvik::cli {

TraceFile::TraceFile(const std::string& path) : path_(path), file_(std::make_unique<AtomicFile>(path)) {
  buffer_ = std::make_unique<Buffer>(*file_);
  stream_.rdbuf(buffer_.get());
}

TraceFile::~TraceFile() = default;

// A trace that is not whole is not put in place: the old file stays.
std::string TraceFile::finish() {
  stream_.flush();
  if (!buffer_->error().empty()) return buffer_->error();
  try {
    file_->commit();
  } catch (const FileWriteError& error) {
    return error.reason().empty() ? std::string("the trace could not be saved") : error.reason();
  }
  return {};
}

TraceFile::Buffer::int_type TraceFile::Buffer::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

int TraceFile::Buffer::sync() { return drain() ? 0 : -1; }

bool TraceFile::Buffer::drain() {
  const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  if (error_.empty() && !pending.empty()) {
    try {
      file_.write(pending);
    } catch (const FileWriteError& error) {
      error_ = error.reason().empty() ? std::string("the trace could not be written") : error.reason();
    }
  }
  setp(space_, space_ + sizeof space_);
  return error_.empty();
}

}  // namespace tarnvik::cli
