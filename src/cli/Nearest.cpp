#include "cli/Nearest.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "cfgfile/IniText.h"

namespace tarnvik::cli {

namespace {

bool SameLetter(char a, char b) { return ini::LowerAscii(a) == ini::LowerAscii(b); }

bool StartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && ini::EqualNoCase(text.substr(0, start.size()), start);
}

std::size_t Allowed(std::string_view typed) { return std::clamp<std::size_t>(typed.size() / 3, 1, 3); }

}  // namespace

// Optimal string alignment distance, row by row.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  std::iota(previous.begin(), previous.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = SameLetter(a[i - 1], b[j - 1]) ? 0 : 1;
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + change});
      if (i > 1 && j > 1 && SameLetter(a[i - 1], b[j - 2]) && SameLetter(a[i - 2], b[j - 1]))
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    before = std::exchange(previous, current);
  }
  return previous[b.size()];
}

std::optional<std::string> NearestName(std::string_view typed, const std::vector<std::string>& candidates) {
  const std::string* best = nullptr;
  std::size_t bestDistance = Allowed(typed) + 1;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = EditDistance(typed, candidate);
    if (distance < bestDistance) {
      best = &candidate;
      bestDistance = distance;
    }
  }
  if (best != nullptr) return *best;
  const auto starts = [typed](const std::string& c) { return !typed.empty() && StartsWith(c, typed); };
  if (std::count_if(candidates.begin(), candidates.end(), starts) == 1)
    return *std::find_if(candidates.begin(), candidates.end(), starts);
  return std::nullopt;
}

}  // namespace tarnvik::cli
