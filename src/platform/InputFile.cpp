// What reading a file does the same way on every system, on top of read().
#include "platform/InputFile.h"

#include <algorithm>
#include <array>

namespace tarnvik::platform {

bool InputFile::readUpTo(std::size_t limit, std::string& content) {
  std::array<char, 64 * 1024> buffer;
  content.clear();
  while (content.size() <= limit) {
    std::size_t count = 0;
    if (!read(buffer.data(), std::min(buffer.size(), limit + 1 - content.size()), count)) return false;
    if (count == 0) return true;
    content.append(buffer.data(), count);
  }
  return true;
}

}  // namespace tarnvik::platform
