#include <initializer_list>
#include <iterator>

#include "settings/Families.h"
#include "settings/SettingDefinition.h"

namespace tarnvik {

namespace {

using namespace families;  // the numbered families, by name

class TableBuilder {
 public:
  void text(const std::string& name, int maxLength, const std::string& initial = {}) {
    table_.push_back({name, SettingKind::Text, maxLength, nullptr, initial, false});
  }
  void choice(const std::string& name, const ChoiceList& list, int start) {
    table_.push_back({name, SettingKind::Choice, 0, &list, {}, false, start});
  }
  void flag(const std::string& name, bool initial) {
    table_.push_back({name, SettingKind::Flag, 0, nullptr, {}, initial});
  }
  // Destination or path text and its SSID text, as in every report row.
  void address(const std::string& prefix, const std::string& call, const std::string& ssid) {
    text(prefix + "_string", 6, call);
    text(prefix + "_ssid", 2, ssid);
  }
  std::vector<SettingDefinition> take() { return std::move(table_); }

 private:
  std::vector<SettingDefinition> table_;
};

void AddRadio(TableBuilder& t) {
  t.text("Callsign", 6, "NOCALL");
  t.text("Ssid", 2, "0");
  t.text("Latitude", 8, "5221.60N");
  t.text("Longitude", 9, "01653.63E");
  t.text("Txdelay", 4, "250");
  t.text("Quiettime", 4, "400");
  t.choice("Quiettime_randomize", lists::QuiettimeRandomize, 4);
  t.choice("Ptt", lists::Ptt, 0);
  t.choice("Squelch", lists::Squelch, 0);
  t.choice("Busydetect", lists::Busydetect, 0);
  t.choice("Consecutive_packets", lists::ConsecutivePackets, 0);
}

void AddDigipeater(TableBuilder& t) {
  t.choice("Digion", lists::NoYes, 1);
  t.text("Floodtimeout", 3, "60");
  for (int n : kPathRules.numbers()) {
    t.text(kPathRules.name(n, "_name"), 5, n == 1 ? "WIDE" : n == 2 ? "SP" : "");
    t.text(kPathRules.name(n, "_lower"), 1, "1");
    t.text(kPathRules.name(n, "_higher"), 1, "7");
    t.choice(kPathRules.name(n, "_traceable"), lists::NoYes, n == 1 ? 1 : 0);
    t.flag(kPathRules.name(n, "_active"), n <= 2);
  }
  t.choice("Callfilter_rule", lists::CallfilterRule, 0);
  for (int n : kFilterEntries.numbers()) {
    t.text(kFilterEntries.name(n, "callsign"), 6, "");
    t.text(kFilterEntries.name(n, "ssid"), 2, "*");
  }
}

void AddBeacons(TableBuilder& t) {
  for (int n : kBeacons.numbers()) {
    t.address(kBeacons.name(n, "_dest"), "APQX03", "0");
    t.address(kBeacons.name(n, "_path"), "WIDE2", "2");
    t.text(kBeacons.name(n, "_txrate_rf"), 4, n == 1 ? "5" : "0");
    t.text(kBeacons.name(n, "_msg"), 64, n == 1 ? "@<date>z<lat>/<long>-Tarnvik U=<volt>V." : "");
  }
}

void AddWeather(TableBuilder& t) {
  t.choice("Weather_stationtype", lists::WeatherStation, 0);
  t.address("Weather_dest", "APQX03", "0");
  t.address("Weather_path", "WIDE2", "2");
  t.text("Weather_txrate_rf", 3, "5");
  t.text("Weather_comment", 32, "Ostrel weather");
}

void AddClock(TableBuilder& t) {
  t.flag("Uploadpctime", true);
  t.text("Rtcyear", 4);
  t.text("Rtcmonth", 2);
  t.text("Rtcday", 2);
  t.text("Rtchour", 2);
  t.text("Rtcmin", 2);
}

void AddTelemetryReports(TableBuilder& t) {
  t.choice("Tele_enable", lists::DisabledEnabled, 0);
  t.choice("Telemodule_enable", lists::DisabledEnabled, 0);
  t.choice("Bitsmodule_enable", lists::DisabledEnabled, 0);
  t.text("Teletitle", 23, "Telemetry test");
  for (const char* report : {"Teleparams", "Teledata"}) {
    const std::string prefix = report;
    t.address(prefix + "_dest", "APQX03", "0");
    t.address(prefix + "_path", "WIDE2", "2");
    t.text(prefix + "_txrate_rf", 3, "5");
  }
  t.text("Tele_holdoff", 3, "60");
}

// Name and unit limits follow the telemetry fields of the APRS protocol, which
// shrink from channel to channel. The texts come from each channel's preset,
// which construction runs once the sources are selected.
void AddAnalogChannels(TableBuilder& t) {
  const int limits[] = {7, 7, 6, 6, 5};
  const int sources[] = {11, 12, 14, 17, 0};
  static_assert(std::size(limits) == kAnalogChannels.count && std::size(sources) == kAnalogChannels.count);
  for (int n : kAnalogChannels.numbers()) {
    t.text(kAnalogChannels.name(n, "_name"), limits[n - 1]);
    t.text(kAnalogChannels.name(n, "_units"), limits[n - 1]);
    t.choice(kAnalogChannels.name(n, "_source"), lists::AnalogSource, sources[n - 1]);
    for (const char* coef : {"_coefa", "_coefb", "_coefc"}) t.text(kAnalogChannels.name(n, coef), 8);
    t.choice(kAnalogChannels.name(n, "_average"), lists::OffOn, 0);
  }
}

// Channel n starts on source n: outputs 1 to 4, then inputs 1 to 4.
void AddDigitalChannels(TableBuilder& t) {
  const int limits[] = {6, 5, 4, 4, 4, 3, 3, 3};
  static_assert(std::size(limits) == kDigitalChannels.count);
  for (int n : kDigitalChannels.numbers()) {
    t.text(kDigitalChannels.name(n, "_name"), limits[n - 1]);
    t.text(kDigitalChannels.name(n, "_units"), limits[n - 1]);
    t.choice(kDigitalChannels.name(n, "_source"), lists::DigitalSource, n);
    t.choice(kDigitalChannels.name(n, "_inverted"), lists::NoYes, 0);
  }
}

void AddOutputsAndPorts(TableBuilder& t) {
  for (int n : kSorbexOutputs.numbers()) t.choice(kSorbexOutputs.name(n, "output"), lists::OffOn, 0);
  t.choice("Serial1_mode", lists::SerialPort, choice::SerialConsole);
  t.choice("Serial2_mode", lists::SerialPort, choice::SerialWeatherStation);
  t.choice("RS485_mode", lists::Rs485Port, 1);
}

std::vector<SettingDefinition> BuildTable() {
  TableBuilder t;
  AddRadio(t);
  AddDigipeater(t);
  AddBeacons(t);
  AddWeather(t);
  AddClock(t);
  AddTelemetryReports(t);
  AddAnalogChannels(t);
  AddDigitalChannels(t);
  AddOutputsAndPorts(t);
  return t.take();
}

}  // namespace

const std::vector<SettingDefinition>& SettingsTable() {
  static const std::vector<SettingDefinition> table = BuildTable();
  return table;
}

}  // namespace tarnvik
