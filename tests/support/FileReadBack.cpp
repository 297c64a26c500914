#include "support/FileReadBack.h"

#include <algorithm>

namespace tarnvik::test {

namespace {

constexpr std::size_t kLongestValue = 2047;

// Space, tab, vertical tab, form feed and the end-of-file mark Ctrl+Z.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

}  // namespace

std::string AsReadBack(std::string_view written) {
  std::string value(written);
  std::replace_if(
      value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const auto first = std::find_if_not(value.begin(), value.end(), IsBlank);
  const auto last = std::find_if_not(value.rbegin(), value.rend(), IsBlank).base();
  value = first < last ? std::string(first, last) : std::string();
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  if (quoted) value = value.substr(1, value.size() - 2);
  if (value.size() > kLongestValue) value.resize(kLongestValue);
  return value;
}

}  // namespace tarnvik::test
