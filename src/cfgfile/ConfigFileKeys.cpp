#include "cfgfile/ConfigFileKeys.h"

#include <algorithm>
#include <iterator>

#include "core/AppInfo.h"
#include "settings/DeviceSettings.h"
#include "settings/Families.h"

namespace tarnvik {

namespace {

using namespace families;  // the numbered families, by name
using Kind = FileValueKind;

class KeyTableBuilder {
 public:
  void section(const std::string& name) { section_ = name; }
  // A key named after its setting; `setting` only where the names differ.
  void add(Kind kind, const std::string& key, const std::string& value, const std::string& setting = {}) {
    const std::string& name = setting.empty() ? key : setting;
    table_.push_back({section_, key, name, kind, value, DeviceSettings::indexOf(name)});
  }
  void identity(const std::string& key, const std::string& text) {
    table_.push_back({section_, key, {}, Kind::Identity, text, 0});
  }
  void address(const std::string& prefix) {
    add(Kind::Text, prefix + "_dest_string", "APQX03");
    add(Kind::Text, prefix + "_dest_ssid", "0");
    add(Kind::Text, prefix + "_path_string", "WIDE2");
    add(Kind::Text, prefix + "_path_ssid", "2");
    add(Kind::Integer, prefix + "_txrate_rf", "5");
  }
  std::vector<FileKey> take() { return std::move(table_); }

 private:
  std::string section_;
  std::vector<FileKey> table_;
};

void AddIdentity(KeyTableBuilder& t) {
  t.section(kIdentitySection);
  t.identity("WARNING",
             "Please do not try to modify this file. It should be managed with Tarnvik configurator program.");
  t.identity("Application", kAppTitle);
  t.identity("Version", kConfigVersion);
}

void AddRadio(KeyTableBuilder& t) {
  t.section("Radio");
  t.add(Kind::Text, "Callsign", "NOCALL");
  t.add(Kind::Text, "SSID", "0", "Ssid");
  t.add(Kind::Integer, "TXdelay", "250", "Txdelay");
  t.add(Kind::Integer, "Quiettime", "400");
  t.add(Kind::Choice, "Quiettime_randomize", "3");
  t.add(Kind::Choice, "PTT", "0", "Ptt");
  for (const char* key : {"Squelch", "Busydetect", "Consecutive_packets"}) t.add(Kind::Choice, key, "0");
  t.add(Kind::Text, "Latitude", "5221.60N");
  t.add(Kind::Text, "Longitude", "01653.63E");
}

void AddDigipeater(KeyTableBuilder& t) {
  t.section("Digipeater");
  t.add(Kind::Choice, "Digion", "1");
  t.add(Kind::Integer, "Floodtimeout", "60");
  for (int n : kPathRules.numbers()) {
    t.add(Kind::Text, kPathRules.name(n, "_name"), n == 1 ? "WIDE" : n == 2 ? "SP" : "");
    t.add(Kind::Text, kPathRules.name(n, "_lower"), "1");
    t.add(Kind::Text, kPathRules.name(n, "_higher"), "7");
    t.add(Kind::Choice, kPathRules.name(n, "_traceable"), n == 1 ? "1" : "0");
    t.add(Kind::Flag, kPathRules.name(n, "_active"), n <= 2 ? "1" : "0");
  }
  t.add(Kind::Choice, "Callfilter_rule", "0");
  for (int n : kFilterEntries.numbers()) {
    t.add(Kind::Text, kFilterEntries.name(n, "callsign"), "");
    t.add(Kind::Text, kFilterEntries.name(n, "ssid"), "*");
  }
}

void AddBeacons(KeyTableBuilder& t) {
  t.section("Beacons");
  for (int n : kBeacons.numbers()) {
    t.address(kBeacons.name(n));
    t.add(Kind::Text, kBeacons.name(n, "_msg"), n == 1 ? "@<date>z<lat>/<long>-OSTREL Test." : "");
  }
}

void AddWeatherAndClock(KeyTableBuilder& t) {
  t.section("Weather");
  t.add(Kind::Choice, "Weather_stationtype", "5");
  t.address("Weather");
  t.add(Kind::Text, "Weather_comment", "");
  t.section("RTC");
  t.add(Kind::Flag, "Uploadpctime", "1");
}

void AddAnalogChannels(KeyTableBuilder& t) {
  const struct {
    const char *name, *units, *source, *coefb, *coefc;
  } channels[] = {{"I1", "mA", "1", "19.5", "0"},
                  {"I2", "mA", "4", "19.5", "0"},
                  {"U1", "Volt", "7", "0.1", "0"},
                  {"U2", "Volt", "8", "0.1", "0"},
                  {"Temp", "C", "9", "0.5", "-64"}};
  static_assert(std::size(channels) == kAnalogChannels.count);
  for (int n : kAnalogChannels.numbers()) {
    const auto& c = channels[n - 1];
    const auto key = [n](const char* part) { return kAnalogChannels.name(n, part); };
    t.add(Kind::Text, key("_name"), c.name);
    t.add(Kind::Text, key("_units"), c.units);
    t.add(Kind::Choice, key("_source"), c.source);
    t.add(Kind::Text, key("_coefa"), "0");
    t.add(Kind::Text, key("_coefb"), c.coefb);
    t.add(Kind::Text, key("_coefc"), c.coefc);
    t.add(Kind::Choice, key("_average"), "0");
  }
}

void AddDigitalChannels(KeyTableBuilder& t) {
  const char* names[] = {"O1", "O2", "O3", "O4", "I1", "I2", "I3", "I4"};
  static_assert(std::size(names) == kDigitalChannels.count);
  for (int n : kDigitalChannels.numbers()) {
    const auto key = [n](const char* part) { return kDigitalChannels.name(n, part); };
    t.add(Kind::Text, key("_name"), names[n - 1]);
    t.add(Kind::Text, key("_label"), n <= 4 ? "On" : "Hi", key("_units"));
    t.add(Kind::Choice, key("_source"), std::to_string(n));
    t.add(Kind::Choice, key("_inverted"), "0");
  }
}

void AddTelemetry(KeyTableBuilder& t) {
  t.section("Telemetry");
  t.add(Kind::Text, "Tele_title", "Telemetry test", "Teletitle");
  for (const char* key : {"Tele_enable", "Telemodule_enable", "Bitsmodule_enable"}) t.add(Kind::Choice, key, "0");
  t.add(Kind::Integer, "Tele_holdoff", "0");
  AddAnalogChannels(t);
  AddDigitalChannels(t);
  t.address("Teleparams");
  t.address("Teledata");
  for (int n : kSorbexOutputs.numbers()) t.add(Kind::Choice, kSorbexOutputs.name(n, "output"), "0");
}

// The import sets port 1 and runs its rule, then port 2 and its rule, as
// every caller that sets the port roles by program does.
void AddSerialPorts(KeyTableBuilder& t) {
  t.section("SerialPorts");
  t.add(Kind::Choice, "Serial1", "2", "Serial1_mode");
  t.add(Kind::Choice, "Serial2", "1", "Serial2_mode");
  t.add(Kind::Choice, "RS485", "1", "RS485_mode");
}

std::vector<FileKey> BuildKeys() {
  KeyTableBuilder t;
  AddIdentity(t);
  AddRadio(t);
  AddDigipeater(t);
  AddBeacons(t);
  AddWeatherAndClock(t);
  AddTelemetry(t);
  AddSerialPorts(t);
  return t.take();
}

}  // namespace

const std::vector<FileKey>& ConfigFileKeys() {
  static const std::vector<FileKey> keys = BuildKeys();
  return keys;
}

const std::vector<std::size_t>& FileKeptSettings() {
  static const std::vector<std::size_t> kept = [] {
    std::vector<std::size_t> indexes;
    for (const FileKey& key : ConfigFileKeys())
      if (!key.setting.empty()) indexes.push_back(key.index);
    std::sort(indexes.begin(), indexes.end());
    return indexes;
  }();
  return kept;
}

}  // namespace tarnvik
