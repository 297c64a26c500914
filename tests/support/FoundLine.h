#pragma once
// The line every operation on the unit logs first, once it has found it.

#include <string>

namespace tarnvik::test {

inline const std::string kFound = "Tarnvik found, vid: Vid_0483, pid: A04A";

}  // namespace tarnvik::test
