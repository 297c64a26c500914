#include <initializer_list>

#include "settings/SettingDefinition.h"

namespace tarnvik {

std::string Member(const std::string& prefix, int number, const std::string& suffix) {
  return prefix + std::to_string(number) + suffix;
}

namespace {

class TableBuilder {
 public:
  void text(const std::string& name, int maxLength, const std::string& initial = {}) {
    table_.push_back({name, SettingKind::Text, maxLength, nullptr, initial, false});
  }
  void choice(const std::string& name, const ChoiceList& list) {
    table_.push_back({name, SettingKind::Choice, 0, &list, {}, false});
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
  t.choice("Quiettime_randomize", lists::QuiettimeRandomize);
  t.choice("Ptt", lists::Ptt);
  t.choice("Squelch", lists::Squelch);
  t.choice("Busydetect", lists::Busydetect);
  t.choice("Consecutive_packets", lists::ConsecutivePackets);
}

void AddDigipeater(TableBuilder& t) {
  t.choice("Digion", lists::NoYes);
  t.text("Floodtimeout", 3, "60");
  for (int n = 1; n <= 8; ++n) {
    t.text(Member("Pathn", n, "_name"), 5, n == 1 ? "WIDE" : n == 2 ? "SP" : "");
    t.text(Member("Pathn", n, "_lower"), 1, "1");
    t.text(Member("Pathn", n, "_higher"), 1, "7");
    t.choice(Member("Pathn", n, "_traceable"), lists::NoYes);
    t.flag(Member("Pathn", n, "_active"), n <= 2);
  }
  t.choice("Callfilter_rule", lists::CallfilterRule);
  for (int n = 1; n <= 10; ++n) {
    t.text(Member("Callfilter_callsign", n, ""), 6, "");
    t.text(Member("Callfilter_ssid", n, ""), 2, "*");
  }
}

void AddBeacons(TableBuilder& t) {
  for (int n = 1; n <= 8; ++n) {
    t.address(Member("Beacon", n, "_dest"), "APQX03", "0");
    t.address(Member("Beacon", n, "_path"), "WIDE2", "2");
    t.text(Member("Beacon", n, "_txrate_rf"), 4, n == 1 ? "5" : "0");
    t.text(Member("Beacon", n, "_msg"), 64, n == 1 ? "@<date>z<lat>/<long>-Tarnvik U=<volt>V." : "");
  }
}

void AddWeather(TableBuilder& t) {
  t.choice("Weather_stationtype", lists::WeatherStation);
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
  t.choice("Tele_enable", lists::DisabledEnabled);
  t.choice("Telemodule_enable", lists::DisabledEnabled);
  t.choice("Bitsmodule_enable", lists::DisabledEnabled);
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
// shrink from channel to channel.
void AddAnalogChannels(TableBuilder& t) {
  const int limits[] = {7, 7, 6, 6, 5};
  for (int n = 1; n <= 5; ++n) {
    t.text(Member("Teleanalog", n, "_name"), limits[n - 1]);
    t.text(Member("Teleanalog", n, "_units"), limits[n - 1]);
    t.choice(Member("Teleanalog", n, "_source"), lists::AnalogSource);
    for (const char* coef : {"_coefa", "_coefb", "_coefc"}) t.text(Member("Teleanalog", n, coef), 8);
    t.choice(Member("Teleanalog", n, "_average"), lists::OffOn);
  }
}

void AddDigitalChannels(TableBuilder& t) {
  const int limits[] = {6, 5, 4, 4, 4, 3, 3, 3};
  for (int n = 1; n <= 8; ++n) {
    t.text(Member("Teledigital", n, "_name"), limits[n - 1]);
    t.text(Member("Teledigital", n, "_units"), limits[n - 1]);
    t.choice(Member("Teledigital", n, "_source"), lists::DigitalSource);
    t.choice(Member("Teledigital", n, "_inverted"), lists::NoYes);
  }
}

void AddOutputsAndPorts(TableBuilder& t) {
  for (int n = 1; n <= 4; ++n) t.choice(Member("Sorbex_output", n, ""), lists::OffOn);
  t.choice("Serial1_mode", lists::SerialPort);
  t.choice("Serial2_mode", lists::SerialPort);
  t.choice("RS485_mode", lists::Rs485Port);
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
