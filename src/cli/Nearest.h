#pragma once
// "Did you mean ...?": the valid name nearest to one that was mistyped.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvik::cli {

// The number of single-letter insertions, deletions, changes and swaps of
// neighbours that turn `a` into `b`, ASCII letters compared without regard to case.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The candidate nearest to `typed`, when it is near enough to be what was
// meant: at most a third of its letters wrong (at least one, at most three
// edits), or `typed` the start of exactly one candidate. On a tie the earlier
// candidate wins.
std::optional<std::string> NearestName(std::string_view typed, const std::vector<std::string>& candidates);

}  // namespace tarnvik::cli
