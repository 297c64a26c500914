#pragma once
// Reactions between dependent settings. Only one RS-232 port may carry the
// weather station and only one the serial console; a WS-2300 or WS-2350
// station needs the other port's TXD line as its negative voltage supply, so
// that port is forced to "Negative voltage output" and locked. The clock
// fields are editable only while the PC time is not uploaded on write.
//
// Setting a choice by program runs no reaction: whoever sets the serial roles
// calls Serial1_modeChange after port 1 and Serial2_modeChange after port 2
// (RunAfterProgramSet does that for any setting).

#include <string_view>

namespace tarnvik {

class DeviceSettings;

using Reaction = void (*)(DeviceSettings&);

void Serial1_modeChange(DeviceSettings& settings);
void Serial2_modeChange(DeviceSettings& settings);
void Weather_stationtypeChange(DeviceSettings& settings);
// Runs whenever Uploadpctime changes state (DeviceSettings::setFlag calls it).
void UploadpctimeClick(DeviceSettings& settings);

// When a setting's reaction runs besides the operator's own change.
enum class ReactionRuns {
  OnOperatorChange,    // only when the operator picks an entry
  AfterProgramSet,     // also run by every writer right after it sets the setting
  OnEveryStateChange,  // run by DeviceSettings itself on every change, whoever makes it
};

struct ReactionEntry {
  std::string_view setting;
  std::string_view handler;  // the control's event handler, e.g. "Serial1_modeChange"
  Reaction reaction;
  ReactionRuns runs;
};

// The reaction of a setting, or nullptr when changing it affects nothing else.
const ReactionEntry* FindReaction(std::string_view setting);

// For writers that set settings by program (decoder, file import, start-up):
// runs the setting's reaction when its entry says AfterProgramSet.
void RunAfterProgramSet(DeviceSettings& settings, std::string_view setting);
// The reaction RunAfterProgramSet runs for that setting, or nullptr: for
// writers that set the same settings again and again and look it up once.
Reaction AfterProgramSetReaction(std::string_view setting);

}  // namespace tarnvik
