#pragma once
// One key to write to a profile file.

#include <string>

namespace tarnvik::ini {

struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
};

}  // namespace tarnvik::ini
