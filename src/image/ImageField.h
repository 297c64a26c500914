#pragma once
// One row of the image's field table: which setting goes where, in which
// encoding, and what the encoder checks on the way. The table (ImageFields)
// lists the rows in the order the encoder writes them, which is also the order
// of its checks and so decides which message the operator sees first.

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/ImageLayout.h"

namespace tarnvik {

class DeviceSettings;

enum class FieldKind {
  StationAddress,  // Callsign and Ssid: callsign slot, SSID character, zero byte
  Number,          // decimal text stored as u8, u16 or u32 (by the field's size)
  Choice,          // index of the entry, all ones for no selection
  Flag,            // 1 or 0
  Text,            // text, NUL, zeros
  Position,        // latitude or longitude text, NUL
  Address,         // destination or path: callsign slot and SSID character
  FilterEntry,     // callsign filter: callsign slot and SSID character or "*"
};

enum class NumberCheck {
  None,       // stored as converted (the clock)
  Stored,     // the stored unsigned value must lie in low to high
  TxRate,     // the stored value is 0 (off) or lies in low to high
  Converted,  // the converted value must lie in low to high before it is stored
};

struct ImageField {
  FieldKind kind = FieldKind::Number;
  FieldPos pos;
  std::string setting;      // addresses: the callsign text
  std::string ssidSetting;  // addresses: the SSID text

  NumberCheck check = NumberCheck::None;
  std::int64_t low = 0;
  std::int64_t high = 0;
  bool destination = false;        // Address: must not be empty, SSID always read
  bool printableOnly = false;      // Text: sent on air, so printable ASCII only
  std::size_t maxChars = 0;        // texts and callsigns: characters that fit
  std::size_t positionDigits = 0;  // Position: digits before the point
  std::string hemispheres;         // Position: the letters allowed last

  bool decoded = true;  // the clock is the PC's, never read back

  // The operator's messages for this field's refusals.
  std::string failure;  // range, syntax or forbidden characters
  std::string ssidFailure;
  std::string tooShort;
  std::string tooLong;
};

}  // namespace tarnvik
