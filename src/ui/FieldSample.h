#pragma once
// The longest value a text field must show whole: as many characters as the
// setting holds, of the kind the field takes, so that a field is as wide as
// its longest realistic value at whatever font the desktop uses.

#include <QString>

class QFontMetrics;

namespace tarnvik {

enum class FieldKind {
  Digits,    // numbers, SSIDs: "1440", "15"
  Decimal,   // the telemetry coefficients: "-1234.56"
  Callsign,  // callsigns, destinations, paths: upper case and digits, "WB2MWM"
  Position,  // latitude and longitude: "5221.60N", "01653.63E"
  Word,      // channel names, units and labels: "Battery", "deg.C"; never
             // narrower than five characters
  Prose,     // messages, comments, titles: ordinary text
};

// A value of `length` characters of this kind, as wide as such values get
// (for Prose, as wide as ordinary text of that length).
QString LongestValue(FieldKind kind, int length);

// What a one-line text field needs beyond its text: its frame, the inner
// margins and the cursor.
inline constexpr int kTextFieldPadding = 9;

// The width a text field needs to show LongestValue(kind, length) whole.
int TextFieldWidth(const QFontMetrics& metrics, FieldKind kind, int length);

}  // namespace tarnvik
