#include "settings/Presets.h"

#include <string>

#include "settings/DeviceSettings.h"
#include "settings/Families.h"

namespace tarnvik {

namespace {

using families::kAnalogChannels;
using families::kDigitalChannels;

struct AnalogPreset {
  const char* name;  // nullptr: "A" and the channel's number
  const char* units;
  const char* coefA;
  const char* coefB;
  const char* coefC;
};

// Indexed by the analog source. Every text fits channel 5, the narrowest.
constexpr AnalogPreset kAnalogPresets[] = {
    {nullptr, "None", "0", "0", "0"},    // Not used
    {"I1", "mA", "0", "19.5", "0"},      // Current1 5A
    {"I1", "mA", "0", "9.76", "0"},      // Current1 2.5A
    {"I1", "mA", "0", "4.88", "0"},      // Current1 1.25A
    {"I2", "mA", "0", "19.5", "0"},      // Current2 5A
    {"I2", "mA", "0", "9.76", "0"},      // Current2 2.5A
    {"I2", "mA", "0", "4.88", "0"},      // Current2 1.25A
    {"U1", "Volt", "0", "0.1", "0"},     // Voltage1
    {"U2", "Volt", "0", "0.1", "0"},     // Voltage2
    {"Temp", "C", "0", "0.5", "-64"},    // DS18B20
    {"Temp", "C", "0", "0.5", "-64"},    // DS18S20
    {"Vin", "Volt", "0", "0.075", "0"},  // input voltage
    {"Rx1h", "Pkt", "0", "10", "0"},     // received, 1 hour
    {"Rx10m", "Pkt", "0", "1", "0"},     // received, 10 min
    {"Dg1h", "Pkt", "0", "10", "0"},     // digipeated, 1 hour
    {"Dg10m", "Pkt", "0", "1", "0"},     // digipeated, 10 min
    {"Eff", "Pcnt", "0", "1", "0"},      // decode efficiency, total
    {"Eff1h", "Pcnt", "0", "1", "0"},    // decode efficiency, 1 hour
};
static_assert(std::size(kAnalogPresets) == 18);

struct DigitalPreset {
  std::string name;
  std::string label;
};

// Names follow the source, not the channel: an input keeps its own number.
DigitalPreset DigitalPresetFor(int source, int channel) {
  if (source == 0) return {"B" + std::to_string(channel), channel <= 5 ? "None" : "Non"};
  if (source <= 4) return {"O" + std::to_string(source), "On"};
  return {"I" + std::to_string(source - 4), "Hi"};
}

}  // namespace

void ApplyAnalogPreset(DeviceSettings& settings, int channel) {
  const int source = settings.choice(kAnalogChannels.name(channel, "_source"));
  if (source < 0 || source >= static_cast<int>(std::size(kAnalogPresets))) return;
  const AnalogPreset& preset = kAnalogPresets[source];
  const auto field = [channel](const char* part) { return kAnalogChannels.name(channel, part); };
  settings.setText(field("_name"), preset.name ? preset.name : "A" + std::to_string(channel));
  settings.setText(field("_units"), preset.units);
  settings.setText(field("_coefa"), preset.coefA);
  settings.setText(field("_coefb"), preset.coefB);
  settings.setText(field("_coefc"), preset.coefC);
}

void ApplyDigitalPreset(DeviceSettings& settings, int channel) {
  const int source = settings.choice(kDigitalChannels.name(channel, "_source"));
  if (source < 0 || source > 8) return;
  const DigitalPreset preset = DigitalPresetFor(source, channel);
  settings.setText(kDigitalChannels.name(channel, "_name"), preset.name);
  settings.setText(kDigitalChannels.name(channel, "_units"), preset.label);
  settings.setChoice(kDigitalChannels.name(channel, "_inverted"), 0);
}

}  // namespace tarnvik
