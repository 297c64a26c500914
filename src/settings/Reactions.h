#pragma once
// Reactions between dependent settings. Only one RS-232 port may carry the
// weather station and only one the serial console; a WS-2300 or WS-2350
// station needs the other port's TXD line as its negative voltage supply, so
// that port is forced to "Negative voltage output" and locked. The clock
// fields are editable only while the PC time is not uploaded on write.
//
// Setting a choice by program runs no reaction: whoever sets the serial roles
// calls Serial1_modeChange after port 1 and Serial2_modeChange after port 2.

namespace tarnvik {

class DeviceSettings;

void Serial1_modeChange(DeviceSettings& settings);
void Serial2_modeChange(DeviceSettings& settings);
void Weather_stationtypeChange(DeviceSettings& settings);
// Runs whenever Uploadpctime changes state (DeviceSettings::setFlag calls it).
void UploadpctimeClick(DeviceSettings& settings);

}  // namespace tarnvik
