#pragma once
// The progress bar's range and position, as an operation moves it.

namespace tarnvik {

struct ProgressState {
  int maximum = 100;
  int value = 0;
  bool operator==(const ProgressState&) const = default;
};

}  // namespace tarnvik
