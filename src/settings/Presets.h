#pragma once
// Telemetry channel presets: the "Default parameters" button of a channel
// fills its report texts with the values that suit the channel's source.
// Construction runs them for every channel to give the start-up texts.

namespace tarnvik {

class DeviceSettings;

// Analog channel 1 to 5: name, units and coefficients A, B, C from the source.
// No source selected: nothing changes. The 1-minute average is left alone.
void ApplyAnalogPreset(DeviceSettings& settings, int channel);

// Digital channel 1 to 8: name and label from the source, inverted set to "No".
void ApplyDigitalPreset(DeviceSettings& settings, int channel);

}  // namespace tarnvik
