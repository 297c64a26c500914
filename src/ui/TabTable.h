#pragma once
// Where every control of the settings tabs stands, what its hint says, and
// the fixed texts around the controls (row labels, column heads, the "-"
// between a callsign or path and its SSID, notes and warnings).
//
// Each part of a tab that is laid out as one grid is an Area. Controls are
// listed in the order the keyboard focus visits them; numbered families take
// their members from settings/Families.h, and each member's hint carries its
// own number.

#include <functional>
#include <string>
#include <vector>

#include "ui/FieldSample.h"

namespace tarnvik {

class DeviceSettings;

enum class Area {
  Radio,
  DigipeaterCommon,  // group "Common Digipeater settings:"
  DigipeaterPaths,   // group "New-N Paradigm PATH filter rules:"
  FilterRule,        // group "CALLSIGN filter rules:", its general rule
  FilterEntries,     // the same group, its ten entries and the wildcard note
  Beacons,
  Weather,
  WeatherWarning,
  RtcUpload,
  RtcTime,
  RtcNote,
  ReportRows,  // page "Report settings": the two report rows
  ReportOptions,
  ReportNote,
  AnalogChannels,
  DigitalChannels1to4,
  DigitalChannels5to8,
  SorbexOutputs,
  SerialPorts,
  SerialWarning,
};

// A control: the control of a setting (named after the setting) or a push
// button. Rows and columns count from 0 within the area's grid.
struct ControlCell {
  std::string name;  // the setting, or the button's object name
  Area area;
  int row = 0;
  int column = 0;
  std::string hint;                            // pop-up hint; empty: none
  std::string title;                           // accessible name where no single label names the control
  std::string caption;                         // a button's or check box's own text
  int span = 1;                                // columns taken
  FieldKind kind = FieldKind::Digits;          // a text field: what it holds, which sets its width
  bool fill = false;                           // a text field that takes what its row leaves (at least its width)
  bool wrapCaption = false;                    // a button whose caption breaks into two lines
  std::function<void(DeviceSettings&)> click;  // a button's action; empty: wired by the window
};

enum class CaptionRole {
  Label,  // names the control right of it, right-aligned against it
  Dash,   // the "-" before an SSID
  Head,   // heads the column below it
  Note,   // free text, wrapped when longer than its cells
};

struct CaptionCell {
  std::string text;
  Area area;
  int row = 0;
  int column = 0;
  CaptionRole role = CaptionRole::Label;
  int span = 1;  // columns taken; -1: to the grid's right edge
};

// In focus order within each area; areas in the order of the tabs.
const std::vector<ControlCell>& TabControls();
const std::vector<CaptionCell>& TabCaptions();

}  // namespace tarnvik
