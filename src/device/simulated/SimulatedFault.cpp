#include "device/simulated/SimulatedFault.h"

#include <utility>

namespace tarnvik {

namespace {

constexpr std::pair<FaultKind, std::string_view> kNames[] = {
    {FaultKind::NoAnswer, "no-answer"},       {FaultKind::LateAnswer, "late-answer"},
    {FaultKind::ShortWrite, "short-write"},   {FaultKind::OtherCommand, "other-command"},
    {FaultKind::ShortAnswer, "short-answer"}, {FaultKind::TrimmedAnswer, "trimmed-answer"},
    {FaultKind::WrongSum, "wrong-sum"},       {FaultKind::Unplug, "unplug"},
    {FaultKind::BadStore, "bad-store"},
};

}  // namespace

std::string_view FaultName(FaultKind kind) {
  for (const auto& [k, name] : kNames)
    if (k == kind) return name;
  return "?";
}

std::optional<FaultKind> FaultFromName(std::string_view name) {
  for (const auto& [kind, n] : kNames)
    if (n == name) return kind;
  return std::nullopt;
}

}  // namespace tarnvik
