#include "settings/Reactions.h"

#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

bool IsWs23xx(int station) { return station == choice::StationWs2300 || station == choice::StationWs2350; }

// The port rule changes only the other port, so the port the operator picked
// last wins a conflict.
void PortRule(DeviceSettings& s, const char* thisPort, const char* otherPort) {
  const int mine = s.choice(thisPort);
  if (mine == choice::SerialWeatherStation) {
    if (IsWs23xx(s.choice("Weather_stationtype"))) {
      s.setChoice(otherPort, choice::SerialNegativeVoltage);
      s.setEnabled(otherPort, false);
    } else {
      s.setEnabled(otherPort, true);
    }
    if (s.choice(otherPort) == choice::SerialWeatherStation) s.setChoice(otherPort, choice::SerialNone);
  } else {
    s.setEnabled(otherPort, true);
  }
  if (mine == choice::SerialConsole && s.choice(otherPort) == choice::SerialConsole)
    s.setChoice(otherPort, choice::SerialNone);
}

}  // namespace

void Serial1_modeChange(DeviceSettings& settings) { PortRule(settings, "Serial1_mode", "Serial2_mode"); }

void Serial2_modeChange(DeviceSettings& settings) { PortRule(settings, "Serial2_mode", "Serial1_mode"); }

void Weather_stationtypeChange(DeviceSettings& settings) {
  Serial1_modeChange(settings);
  Serial2_modeChange(settings);
}

void UploadpctimeClick(DeviceSettings& settings) {
  const bool editable = !settings.flag("Uploadpctime");
  for (const char* field : kClockFields) settings.setEnabled(field, editable);
}

namespace {

constexpr ReactionEntry kReactions[] = {
    {"Serial1_mode", "Serial1_modeChange", Serial1_modeChange, ReactionRuns::AfterProgramSet},
    {"Serial2_mode", "Serial2_modeChange", Serial2_modeChange, ReactionRuns::AfterProgramSet},
    {"Weather_stationtype", "Weather_stationtypeChange", Weather_stationtypeChange, ReactionRuns::OnOperatorChange},
    {"Uploadpctime", "UploadpctimeClick", UploadpctimeClick, ReactionRuns::OnEveryStateChange},
};

}  // namespace

const ReactionEntry* FindReaction(std::string_view setting) {
  for (const ReactionEntry& entry : kReactions)
    if (entry.setting == setting) return &entry;
  return nullptr;
}

void RunAfterProgramSet(DeviceSettings& settings, std::string_view setting) {
  if (const Reaction reaction = AfterProgramSetReaction(setting)) reaction(settings);
}

Reaction AfterProgramSetReaction(std::string_view setting) {
  const ReactionEntry* entry = FindReaction(setting);
  return entry != nullptr && entry->runs == ReactionRuns::AfterProgramSet ? entry->reaction : nullptr;
}

}  // namespace tarnvik
