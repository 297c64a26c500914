#include "cli/Files.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "cfgfile/AtomicFile.h"

namespace tarnvik::cli {

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t limit, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "Unable to read " + path + ": " + std::strerror(errno);
    return false;
  }
  bytes.assign(limit + 1, 0);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  bytes.resize(std::size_t(in.gcount()));
  if (in.bad()) {
    error = "Unable to read " + path;
    return false;
  }
  return true;
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  file.write(bytes);
  file.commit();
}

}  // namespace tarnvik::cli
