#include "image/ImageFields.h"

#include "image/ValidationMessages.h"
#include "settings/DeviceSettings.h"
#include "settings/Families.h"

namespace tarnvik {

namespace {

namespace L = layout;

class FieldTableBuilder {
 public:
  void stationAddress() {
    ImageField f = row(FieldKind::StationAddress, "Callsign", L::kStationAddress);
    f.ssidSetting = "Ssid";
    f.maxChars = L::kCallsignChars;
    f.tooShort = ValidationMessage("Callsign", Problem::TooShort);
    f.ssidFailure = ValidationMessage("Ssid", Problem::Range);
    f.tooLong = ValidationMessage("Callsign", Problem::TooLong, f.maxChars);
    add(std::move(f));
  }
  void number(const std::string& name, FieldPos pos, NumberCheck check, std::int64_t low, std::int64_t high) {
    ImageField f = row(FieldKind::Number, name, pos);
    f.check = check;
    f.low = low;
    f.high = high;
    f.failure = ValidationMessage(name, Problem::Range);
    add(std::move(f));
  }
  void clock(const std::string& name, FieldPos pos) {
    ImageField f = row(FieldKind::Number, name, pos);
    f.decoded = false;
    add(std::move(f));
  }
  void choice(const std::string& name, FieldPos pos) { add(row(FieldKind::Choice, name, pos)); }
  void flag(const std::string& name, FieldPos pos) { add(row(FieldKind::Flag, name, pos)); }
  // A text field holds its text and a NUL, unless the unit takes fewer.
  void text(const std::string& name, FieldPos pos, std::size_t maxChars = 0) {
    ImageField f = row(FieldKind::Text, name, pos);
    f.maxChars = maxChars != 0 ? maxChars : pos.size - 1;
    f.tooLong = ValidationMessage(name, Problem::TooLong, f.maxChars);
    add(std::move(f));
  }
  // Beacon messages and the weather comment go on air as they are.
  void onAirText(const std::string& name, FieldPos pos, std::size_t maxChars = 0) {
    text(name, pos, maxChars);
    fields_.back().printableOnly = true;
    fields_.back().failure = ValidationMessage(name, Problem::Forbidden);
  }
  void position(const std::string& name, FieldPos pos, std::size_t digits, const char* hemispheres) {
    ImageField f = row(FieldKind::Position, name, pos);
    f.positionDigits = digits;
    f.hemispheres = hemispheres;
    f.failure = ValidationMessage(name, Problem::Syntax);
    add(std::move(f));
  }
  // prefix names the pair: "Beacon3_dest" for Beacon3_dest_string and _ssid.
  void destination(const std::string& prefix, FieldPos pos) {
    ImageField f = address(prefix, pos);
    f.destination = true;
    f.tooShort = ValidationMessage(f.setting, Problem::TooShort);
    add(std::move(f));
  }
  void path(const std::string& prefix, FieldPos pos) { add(address(prefix, pos)); }
  void filterEntry(int n, FieldPos pos) {
    ImageField f = row(FieldKind::FilterEntry, families::kFilterEntries.name(n, "callsign"), pos);
    f.ssidSetting = families::kFilterEntries.name(n, "ssid");
    f.maxChars = L::kCallsignChars;
    f.ssidFailure = ValidationMessage(f.ssidSetting, Problem::Range);
    f.tooLong = ValidationMessage(f.setting, Problem::TooLong, f.maxChars);
    add(std::move(f));
  }

  std::vector<ImageField> take() { return std::move(fields_); }

 private:
  static ImageField row(FieldKind kind, const std::string& name, FieldPos pos) {
    ImageField f;
    f.kind = kind;
    f.setting = name;
    f.pos = pos;
    return f;
  }
  static ImageField address(const std::string& prefix, FieldPos pos) {
    ImageField f = row(FieldKind::Address, prefix + "_string", pos);
    f.ssidSetting = prefix + "_ssid";
    f.maxChars = L::kCallsignChars;
    f.ssidFailure = ValidationMessage(f.ssidSetting, Problem::Range);
    f.tooLong = ValidationMessage(f.setting, Problem::TooLong, f.maxChars);
    return f;
  }
  void add(ImageField f) { fields_.push_back(std::move(f)); }

  std::vector<ImageField> fields_;
};

void AddRadio(FieldTableBuilder& t) {
  t.stationAddress();
  t.number("Txdelay", L::kTxdelay, NumberCheck::Stored, 200, 1000);
  t.number("Quiettime", L::kQuiettime, NumberCheck::Stored, 200, 3000);
  t.choice("Quiettime_randomize", L::kQuiettimeRandomize);
  t.choice("Ptt", L::kPtt);
  t.choice("Squelch", L::kSquelch);
  t.choice("Busydetect", L::kBusydetect);
  t.choice("Consecutive_packets", L::kConsecutivePackets);
  t.position("Latitude", L::kLatitude, 4, "NS");
  t.position("Longitude", L::kLongitude, 5, "EW");
}

void AddDigipeater(FieldTableBuilder& t) {
  t.choice("Digion", L::kDigion);
  t.number("Floodtimeout", L::kFloodtimeout, NumberCheck::Stored, 15, 180);
  using families::kPathRules;
  for (int n : kPathRules.numbers()) {
    const std::size_t at = L::kPathRules.at(n);
    t.text(kPathRules.name(n, "_name"), L::pathrule::kName.in(at));
    t.number(kPathRules.name(n, "_lower"), L::pathrule::kLower.in(at), NumberCheck::Stored, 1, 7);
    t.number(kPathRules.name(n, "_higher"), L::pathrule::kHigher.in(at), NumberCheck::Stored, 1, 7);
    t.choice(kPathRules.name(n, "_traceable"), L::pathrule::kTraceable.in(at));
    t.flag(kPathRules.name(n, "_active"), L::pathrule::kActive.in(at));
  }
  t.choice("Callfilter_rule", L::kCallfilterRule);
  for (int n : families::kFilterEntries.numbers()) t.filterEntry(n, {L::kFilterEntries.at(n), L::kFilterEntries.size});
}

void AddBeacons(FieldTableBuilder& t) {
  namespace B = L::beacon;
  using families::kBeacons;
  for (int n : kBeacons.numbers()) {
    const std::size_t at = L::kBeacons.at(n);
    t.destination(kBeacons.name(n, "_dest"), B::kDest.in(at));
    t.path(kBeacons.name(n, "_path"), B::kPath.in(at));
    t.number(kBeacons.name(n, "_txrate_rf"), B::kTxrate.in(at), NumberCheck::TxRate, 5, 1440);
    t.onAirText(kBeacons.name(n, "_msg"), B::kMessage.in(at), B::kMessageChars);
  }
}

void AddWeather(FieldTableBuilder& t) {
  t.choice("Weather_stationtype", L::kWeatherStationtype);
  t.destination("Weather_dest", L::kWeatherDest);
  t.path("Weather_path", L::kWeatherPath);
  t.number("Weather_txrate_rf", L::kWeatherTxrate, NumberCheck::TxRate, 5, 1440);
  t.onAirText("Weather_comment", L::kWeatherComment);
}

void AddClock(FieldTableBuilder& t) {
  std::size_t at = L::kClockStart;
  for (const char* name : kClockFields) {
    t.clock(name, {at, L::kClockFieldSize});
    at += L::kClockFieldSize;
  }
}

void AddAnalogChannel(FieldTableBuilder& t, int n) {
  namespace A = L::analog;
  const std::size_t at = L::kAnalogChannels.at(n);
  const auto name = [n](const char* part) { return families::kAnalogChannels.name(n, part); };
  t.choice(name("_source"), A::kSource.in(at));
  t.text(name("_name"), A::kName.in(at));
  t.text(name("_units"), A::kUnits.in(at));
  t.text(name("_coefa"), A::kCoefA.in(at));
  t.text(name("_coefb"), A::kCoefB.in(at));
  t.text(name("_coefc"), A::kCoefC.in(at));
  t.choice(name("_average"), A::kAverage.in(at));
}

void AddDigitalChannel(FieldTableBuilder& t, int n) {
  namespace D = L::digital;
  const std::size_t at = L::kDigitalChannels.at(n);
  const auto name = [n](const char* part) { return families::kDigitalChannels.name(n, part); };
  t.choice(name("_source"), D::kSource.in(at));
  t.text(name("_name"), D::kName.in(at));
  t.text(name("_units"), D::kLabel.in(at));
  t.choice(name("_inverted"), D::kInverted.in(at));
}

void AddTelemetry(FieldTableBuilder& t) {
  t.text("Teletitle", L::kTeletitle);
  t.choice("Tele_enable", L::kTeleEnable);
  t.choice("Telemodule_enable", L::kTelemoduleEnable);
  t.choice("Bitsmodule_enable", L::kBitsmoduleEnable);
  t.number("Tele_holdoff", L::kTeleHoldoff, NumberCheck::Converted, 0, 250);
  for (int n : families::kAnalogChannels.numbers()) AddAnalogChannel(t, n);
  for (int n : families::kDigitalChannels.numbers()) AddDigitalChannel(t, n);
  t.destination("Teledata_dest", L::kTeledataDest);
  t.path("Teledata_path", L::kTeledataPath);
  t.number("Teledata_txrate_rf", L::kTeledataTxrate, NumberCheck::TxRate, 5, 1440);
  t.destination("Teleparams_dest", L::kTeleparamsDest);
  t.path("Teleparams_path", L::kTeleparamsPath);
  t.number("Teleparams_txrate_rf", L::kTeleparamsTxrate, NumberCheck::TxRate, 5, 1440);
}

// The serial roles decode with their reactions (the decoder runs them right
// after each role), port 1 before port 2 is set, so that the port set last
// wins a conflict as it does in the window.
void AddOutputsAndPorts(FieldTableBuilder& t) {
  for (int n : families::kSorbexOutputs.numbers())
    t.choice(families::kSorbexOutputs.name(n, "output"), {L::kSorbexOutputs.at(n), L::kSorbexOutputs.size});
  t.choice("Serial1_mode", L::kSerial1Mode);
  t.choice("Serial2_mode", L::kSerial2Mode);
  t.choice("RS485_mode", L::kRs485Mode);
}

// Every numbered record of the image holds one member of its family.
static_assert(L::kPathRules.count == families::kPathRules.count);
static_assert(L::kFilterEntries.count == families::kFilterEntries.count);
static_assert(L::kBeacons.count == families::kBeacons.count);
static_assert(L::kAnalogChannels.count == families::kAnalogChannels.count);
static_assert(L::kDigitalChannels.count == families::kDigitalChannels.count);
static_assert(L::kSorbexOutputs.count == families::kSorbexOutputs.count);

std::vector<ImageField> BuildFields() {
  FieldTableBuilder t;
  AddRadio(t);
  AddDigipeater(t);
  AddBeacons(t);
  AddWeather(t);
  AddClock(t);
  AddTelemetry(t);
  AddOutputsAndPorts(t);
  return t.take();
}

}  // namespace

const std::vector<ImageField>& ImageFields() {
  static const std::vector<ImageField> fields = BuildFields();
  return fields;
}

}  // namespace tarnvik
