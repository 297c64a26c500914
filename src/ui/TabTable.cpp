#include "ui/TabTable.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "settings/Families.h"
#include "settings/Presets.h"

namespace tarnvik {

namespace {

using families::kAnalogChannels;
using families::kBeacons;
using families::kDigitalChannels;
using families::kFilterEntries;
using families::kPathRules;
using families::kSorbexOutputs;

std::string Numbered(const char* before, int n, const char* after = "") { return before + std::to_string(n) + after; }

// The warning the "Weather" and "Serial ports" tabs both show, line by line.
constexpr const char* kWs23xxWarning[] = {
    "Warning. If you select weather station on one of RS-232 ports and you want to use WS-23XX station, the other "
    "port will be disabled.",
    "This is done because other port's TXD line is needed as negative voltage polarization for these kind of "
    "stations.",
    "Please refer to the manual for proper wiring of WS-23XX weather stations.",
};

class Builder {
 public:
  // Accessible names for the controls of one row of the current area, in
  // column order: "Analog 2 Units", "Digital 7 Source" ...
  void titleRow(int row, const std::string& owner, std::initializer_list<const char*> heads) {
    std::vector<ControlCell*> cells;
    for (ControlCell& cell : controls)
      if (cell.area == area_ && cell.row == row) cells.push_back(&cell);
    if (cells.size() != heads.size()) throw std::logic_error("row " + owner + " has another number of controls");
    std::ranges::sort(cells, {}, &ControlCell::column);
    auto head = heads.begin();
    for (ControlCell* cell : cells) cell->title = owner + " " + *head++;
  }
  void in(Area area) { area_ = area; }
  ControlCell& control(std::string name, int row, int column, std::string hint = {}) {
    ControlCell cell;
    cell.name = std::move(name);
    cell.area = area_;
    cell.row = row;
    cell.column = column;
    cell.hint = std::move(hint);
    return controls.emplace_back(std::move(cell));
  }
  ControlCell& button(int number, int row, int column, std::string caption) {
    ControlCell& cell = control(Numbered("Button", number), row, column);
    cell.caption = std::move(caption);
    return cell;
  }
  void caption(std::string text, int row, int column, CaptionRole role = CaptionRole::Label, int span = 1) {
    captions.push_back({std::move(text), area_, row, column, role, span});
  }
  void head(std::string text, int column, int span = 1) {
    caption(std::move(text), 0, column, CaptionRole::Head, span);
  }
  void dash(int row, int column) { caption("-", row, column, CaptionRole::Dash); }
  void note(std::string text, int row, int span = 1) { caption(std::move(text), row, 0, CaptionRole::Note, span); }
  void warning() {
    int row = 0;
    for (const char* line : kWs23xxWarning) note(line, row++);
  }

  // A destination or path and its SSID, "-" between them: "Dest" or "Path".
  void address(const std::string& prefix, const std::string& owner, const char* kind, int row, int column) {
    const bool dest = std::string(kind) == "Dest";
    const std::string part = dest ? "_dest" : "_path";
    const std::string what = dest ? " destination to-call." : " path.";
    const std::string ssid = dest ? " destination SSID." : " path SSID.";
    ControlCell& call = control(prefix + part + "_string", row, column, owner + what);
    call.title = owner + " " + kind;
    call.kind = FieldKind::Callsign;
    dash(row, column + 1);
    control(prefix + part + "_ssid", row, column + 2, owner + ssid).title = owner + " " + kind + " SSID";
  }

  std::vector<ControlCell> controls;  // the table, as it is built
  std::vector<CaptionCell> captions;

 private:
  Area area_ = Area::Radio;  // where the next cells go
};

void AddRadio(Builder& b) {
  b.in(Area::Radio);
  b.caption("Callsign:", 0, 0);
  b.control("Callsign", 0, 1, "Stations callsign.").kind = FieldKind::Callsign;
  b.dash(0, 2);
  b.control("Ssid", 0, 3, "Stations SSID").title = "Callsign SSID";
  b.caption("Latitude:", 1, 0);
  ControlCell& latitude = b.control("Latitude", 1, 1, "Stations latitude.");
  latitude.span = 3;
  latitude.kind = FieldKind::Position;
  b.caption("Longitude:", 2, 0);
  ControlCell& longitude = b.control("Longitude", 2, 1, "Stations longitude.");
  longitude.span = 3;
  longitude.kind = FieldKind::Position;
  struct Pair {
    const char* label;
    const char* name;
    const char* hint;
  };
  const Pair right[] = {
      {"TX delay [ms]:", "Txdelay", "Time between PTT on and packet start (preamble length)."},
      {"Quiet time [ms]:", "Quiettime", "Delay between last received  packet and packet send."},
      {"Randomize quiet time:", "Quiettime_randomize", "Quiet time random modifier."},
      {"PTT:", "Ptt", "PTT output type."},
      {"Squelch level:", "Squelch", "Squelch level. 1 - lowest, 10 - highest."},
      {"Channel busy detect:", "Busydetect",
       "Channel busy detection method. For open quelch operation use only digital detect."},
      {"Consecutive packets send:", "Consecutive_packets",
       "Multiple packets from TX fifo will be sent without gap if \"bursts\" is selected."},
  };
  int row = 0;
  for (const Pair& entry : right) {
    b.caption(entry.label, row, 5);
    b.control(entry.name, row++, 6, entry.hint);
  }
}

// In this tab each single label stands above its control: three groups side
// by side leave little width.
void AddDigipeaterCommon(Builder& b) {
  b.in(Area::DigipeaterCommon);
  b.caption("Digipeater on:", 0, 0, CaptionRole::Head);
  b.control("Digion", 1, 0);
  b.caption("Duplicate checking [s]:", 2, 0, CaptionRole::Head);
  b.control("Floodtimeout", 3, 0,
            "Time for which a received packet is stored for duplicate checking. Duplicate packets are discarded and "
            "are not digipeated.");
}

void AddPathRules(Builder& b) {
  struct Column {
    const char* head;
    const char* part;
    const char* hint;
  };
  const Column columns[] = {
      {"Path (n-N):", "_name",
       "New-N path for digipeated packets. Example: setting path to WIDE and N>=1, N<=2 will make the device "
       "digipeat packets with WIDE2-2 or WIDE2-1 or WIDE1-1 in path."},
      {"N >=", "_lower", ""},
      {"N <=", "_higher", ""},
      {"traceable:", "_traceable", "If selected, the device will add its callsign to path of digipeated packets."},
      {"active:", "_active", ""},
  };
  b.in(Area::DigipeaterPaths);
  for (int column = 0; column < 5; ++column) b.head(columns[column].head, column);
  for (int n : kPathRules.numbers())
    for (int column = 0; column < 5; ++column) {
      const Column& c = columns[column];
      ControlCell& cell = b.control(kPathRules.name(n, c.part), n, column, c.hint);
      cell.title = Numbered("Path rule ", n, " ") + std::string(c.head).substr(0, std::string(c.head).find(':'));
      if (column == 0) cell.kind = FieldKind::Callsign;
    }
}

void AddCallsignFilter(Builder& b) {
  b.in(Area::FilterRule);
  b.caption("General rule:", 0, 0, CaptionRole::Head);
  b.control("Callfilter_rule", 1, 0, "General rule for digipeater callsign filter");

  b.in(Area::FilterEntries);
  for (int column : {0, 4}) {  // entries 1 to 5 left, 6 to 10 right
    b.head("Callsign:", column);
    b.head("SSID:", column + 2);
  }
  for (int n : kFilterEntries.numbers()) {
    const int row = (n - 1) % 5 + 1, column = n <= 5 ? 0 : 4;
    ControlCell& call = b.control(kFilterEntries.name(n, "callsign"), row, column, "Callsign filter callsign.");
    call.title = Numbered("Callsign filter ", n, " callsign");
    call.kind = FieldKind::Callsign;
    b.dash(row, column + 1);
    b.control(kFilterEntries.name(n, "ssid"), row, column + 2, "Callsign filter SSID.").title =
        Numbered("Callsign filter ", n, " SSID");
  }
  b.note("* wildcards are supported in callsign filter rules", 6, 7);
}

void AddBeacons(Builder& b) {
  b.in(Area::Beacons);
  b.head("Dest:", 0);
  b.head("Path:", 3);
  b.head("RF[min]:", 6);
  b.head("Message (empty fields are ignored):", 7);
  for (int n : kBeacons.numbers()) {
    const std::string owner = Numbered("Beacon ", n);
    b.address(kBeacons.name(n), owner, "Dest", n, 0);
    b.address(kBeacons.name(n), owner, "Path", n, 3);
    b.control(kBeacons.name(n, "_txrate_rf"), n, 6, owner + " TX rate to RF (minutes). Set 0 to disable.").title =
        owner + " RF[min]";
    ControlCell& message =
        b.control(kBeacons.name(n, "_msg"), n, 7, "Beacon message. Please check \"Special strings\".");
    message.title = owner + " message";
    message.kind = FieldKind::Prose;
    message.fill = true;
  }
  b.button(11, 0, 7, "Special strings");
}

void AddWeather(Builder& b) {
  b.in(Area::Weather);
  b.caption("Weather station:", 0, 0);
  b.control("Weather_stationtype", 0, 1, "Weather station selection box.").span = -1;
  b.caption("Dest:", 1, 1, CaptionRole::Head);
  b.caption("Path:", 1, 4, CaptionRole::Head);
  b.caption("RF[min]:", 1, 7, CaptionRole::Head);
  b.caption("Comment:", 1, 8, CaptionRole::Head);
  b.caption("Weather report:", 2, 0);
  b.address("Weather", "Weather report", "Dest", 2, 1);
  b.address("Weather", "Weather report", "Path", 2, 4);
  b.control("Weather_txrate_rf", 2, 7, "Weather report TX rate to RF (minutes). Set 0 to disable.").title =
      "Weather report RF[min]";
  ControlCell& comment = b.control("Weather_comment", 2, 8, "weather report comment.");
  comment.title = "Weather report comment";
  comment.kind = FieldKind::Prose;
  b.in(Area::WeatherWarning);
  b.warning();
}

void AddClock(Builder& b) {
  b.in(Area::RtcUpload);
  b.control("Uploadpctime", 0, 0, "If selected, the application will send current PC time on config save.").caption =
      "Upload PC system time on config write";
  b.in(Area::RtcTime);
  const std::pair<const char*, const char*> fields[] = {
      {"Year:", "Rtcyear"}, {"Month:", "Rtcmonth"}, {"Day:", "Rtcday"}, {"Hour:", "Rtchour"}, {"Minute:", "Rtcmin"}};
  for (int i = 0; i < 5; ++i) {
    const int row = i < 3 ? 0 : 1, column = 2 * (i < 3 ? i : i - 3);
    b.caption(fields[i].first, row, column);
    b.control(fields[i].second, row, column + 1);
  }
  b.in(Area::RtcNote);
  b.note(
      "Internal Real Time Clock is updated when the device exits config mode and enters normal mode. To get exact "
      "time please change to normal mode quickly after config write.",
      0);
}

void AddReportSettings(Builder& b) {
  b.in(Area::ReportRows);
  b.head("Dest:", 1);
  b.head("Path:", 4);
  b.head("RF[min]:", 7);
  const std::pair<const char*, const char*> reports[] = {{"Teleparams", "Telemetry parameters"},
                                                         {"Teledata", "Telemetry data"}};
  int row = 1;
  for (const auto& [prefix, owner] : reports) {
    b.caption(std::string(owner) + ":", row, 0);
    b.address(prefix, owner, "Dest", row, 1);
    b.address(prefix, owner, "Path", row, 4);
    b.control(std::string(prefix) + "_txrate_rf", row, 7,
              std::string(owner) + " TX rate to RF (minutes). Set 0 to disable.")
        .title = std::string(owner) + " RF[min]";
    ++row;
  }
  b.in(Area::ReportOptions);
  b.caption("Telemetry project title:", 0, 0);
  ControlCell& title = b.control("Teletitle", 0, 1, "Title for telemetry sent in BITS message.");
  title.span = -1;
  title.kind = FieldKind::Prose;
  b.caption("First telemetry data packet delay [min]:", 1, 0);
  b.control("Tele_holdoff", 1, 1,
            "Delay for first telemetry data packet. Allows to gather data after device power-up.");
  b.caption("Telemetry reports:", 2, 0);
  b.control("Tele_enable", 2, 1, "Enables or disables telemetry reports.");
  b.caption("Anvolt module (analog):", 1, 3);
  b.control("Telemodule_enable", 1, 4, "Enables or disables Anvolt module support.");
  b.caption("Sorbex module (digital):", 2, 3);
  b.control("Bitsmodule_enable", 2, 4, "Enables or disables Sorbex module support.");
  b.in(Area::ReportNote);
  b.note(
      "Please refer to APRS protocol reference v1.0.1, chapter 13, for more info about telemetry reports, messages, "
      "and protocol limitations (\"aprs protocol reference\" in google).",
      0);
}

// The widest row of all the tabs: the preset button's caption takes two lines
// so that every field shows its longest value.
void AddAnalogChannels(Builder& b) {
  b.in(Area::AnalogChannels);
  const char* heads[] = {"Name:", "Units:", "Source:", "Coeff A:", "Coeff B:", "Coeff C:"};
  for (int column = 1; column <= 6; ++column) b.head(heads[column - 1], column);
  b.head("1 min average:", 7, 2);
  for (int n : kAnalogChannels.numbers()) {
    const std::string channel = Numbered("Analog channel ", n);
    b.caption(Numbered("Analog ", n, ":"), n, 0);
    b.control(kAnalogChannels.name(n, "_name"), n, 1, channel + " report name.").kind = FieldKind::Word;
    b.control(kAnalogChannels.name(n, "_units"), n, 2, channel + " report units.").kind = FieldKind::Word;
    b.control(kAnalogChannels.name(n, "_source"), n, 3, channel + " measurement source.");
    for (const char letter : {'a', 'b', 'c'}) {
      const std::string upper(1, char(letter - 'a' + 'A'));
      b.control(kAnalogChannels.name(n, std::string("_coef") + letter), n, 4 + (letter - 'a'),
                channel + " telemetry calculation coefficient " + upper +
                    ". Equation: A*x*x+B*x+C (where x is the measurement sample).")
          .kind = FieldKind::Decimal;
    }
    b.control(kAnalogChannels.name(n, "_average"), n, 7,
              "If selected, the device will calculate 1 minute average of measured samples.");
    ControlCell& preset = b.button(5 + n, n, 8, "Default parameters");
    preset.hint = "Default parameters for telemetry module.";
    preset.click = [n](DeviceSettings& s) { ApplyAnalogPreset(s, n); };
    preset.wrapCaption = true;
    b.titleRow(n, Numbered("Analog ", n),
               {"Name", "Units", "Source", "Coeff A", "Coeff B", "Coeff C", "1 min average", "Default parameters"});
  }
}

void AddDigitalChannels(Builder& b, Area area, int first) {
  b.in(area);
  const char* heads[] = {"Name:", "Label", "Source", "Inverted:"};
  for (int column = 1; column <= 4; ++column) b.head(heads[column - 1], column);
  for (int n = first, row = 1; row <= 4; ++n, ++row) {
    const std::string channel = Numbered("Digital channel ", n);
    b.caption(Numbered("Digital ", n, ":"), row, 0);
    b.control(kDigitalChannels.name(n, "_name"), row, 1, channel + " report name.").kind = FieldKind::Word;
    b.control(kDigitalChannels.name(n, "_units"), row, 2, channel + " report label.").kind = FieldKind::Word;
    b.control(kDigitalChannels.name(n, "_source"), row, 3, channel + " source.");
    b.control(kDigitalChannels.name(n, "_inverted"), row, 4, "Select if digital channel is active-low.");
    b.button(12 + n, row, 5, "Default parameters").click = [n](DeviceSettings& s) { ApplyDigitalPreset(s, n); };
    b.titleRow(row, Numbered("Digital ", n), {"Name", "Label", "Source", "Inverted", "Default parameters"});
  }
}

void AddTelemetry(Builder& b) {
  AddReportSettings(b);
  AddAnalogChannels(b);
  AddDigitalChannels(b, Area::DigitalChannels1to4, 1);
  AddDigitalChannels(b, Area::DigitalChannels5to8, 5);
  b.in(Area::SorbexOutputs);
  for (int n : kSorbexOutputs.numbers()) {
    b.caption(Numbered("Output ", n, " default state:"), n - 1, 0);
    b.control(kSorbexOutputs.name(n, "output"), n - 1, 1);
  }
}

void AddSerialPorts(Builder& b) {
  b.in(Area::SerialPorts);
  const std::pair<const char*, const char*> ports[] = {
      {"RS-232 port 1:", "Serial1_mode"}, {"RS-232 port 2:", "Serial2_mode"}, {"RS-485 port:", "RS485_mode"}};
  int row = 0;
  for (const auto& [label, name] : ports) {
    b.caption(label, row, 0);
    b.control(name, row++, 1);
  }
  b.in(Area::SerialWarning);
  b.warning();
}

const Builder& Table() {
  static const Builder table = [] {
    Builder b;
    AddRadio(b);
    AddDigipeaterCommon(b);
    AddPathRules(b);
    AddCallsignFilter(b);
    AddBeacons(b);
    AddWeather(b);
    AddClock(b);
    AddTelemetry(b);
    AddSerialPorts(b);
    return b;
  }();
  return table;
}

}  // namespace

const std::vector<ControlCell>& TabControls() { return Table().controls; }

const std::vector<CaptionCell>& TabCaptions() { return Table().captions; }

}  // namespace tarnvik
