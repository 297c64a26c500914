#include "cli/TraceFile.h"

#include "core/OperationError.h"

namespace tarnvik::cli {

TraceFile::TraceFile(const std::string& path) : path_(path), file_(path) {
  if (!file_.isOpen()) throw FileWriteError(path, file_.error());
  buffer_ = std::make_unique<Buffer>(file_);
  stream_.rdbuf(buffer_.get());
}

TraceFile::~TraceFile() = default;

std::string TraceFile::finish() {
  stream_.flush();
  if (file_.isOpen() && !file_.close() && closeError_.empty()) closeError_ = file_.error();
  return !buffer_->error().empty() ? buffer_->error() : closeError_;
}

TraceFile::Buffer::int_type TraceFile::Buffer::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

int TraceFile::Buffer::sync() { return drain() ? 0 : -1; }

bool TraceFile::Buffer::drain() {
  const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  if (error_.empty() && !pending.empty() && !file_.write(pending)) error_ = file_.error();
  setp(space_, space_ + sizeof space_);
  return error_.empty();
}

}  // namespace tarnvik::cli
