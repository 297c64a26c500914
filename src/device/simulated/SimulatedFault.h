#pragma once
// Faults the simulated unit can be told to show at its Nth request, to try
// how the program behaves when the unit or the cable misbehaves.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnvik {

enum class FaultKind {
  NoAnswer,       // the request is taken, no answer comes
  LateAnswer,     // the answer comes only after the time limit has passed
  ShortWrite,     // only 64 of the 65 bytes go out; the unit sees nothing
  OtherCommand,   // the answer carries another command code
  ShortAnswer,    // the answer comes cut short: its report id and not one data byte
  TrimmedAnswer,  // the answer comes without its trailing zero bytes, as some HID
                  // stacks hand over only the bytes the device sent
  WrongSum,       // the page travels with a wrong sum: a read answer's sum is
                  // off, a written page arrives damaged and the unit ignores it
  Unplug,         // the unit is pulled out: this and every later call fails
  BadStore,       // a written page is acknowledged but kept with one bit
                  // flipped (in its 17th byte), as by a worn memory cell
};

struct Fault {
  FaultKind kind = FaultKind::NoAnswer;
  std::uint64_t atRequest = 1;  // 1 is the first request the unit receives
};

// The names used in a state folder's "faults" file: no-answer, late-answer,
// short-write, other-command, short-answer, trimmed-answer, wrong-sum,
// unplug, bad-store.
std::string_view FaultName(FaultKind kind);
std::optional<FaultKind> FaultFromName(std::string_view name);

}  // namespace tarnvik
