#pragma once
// The fixed choice lists of the unit's settings. A choice setting stores the
// zero-based index of an entry; the texts are only ever shown, never stored.

#include <string>
#include <vector>

namespace tarnvik {

using ChoiceList = std::vector<std::string>;

namespace lists {
extern const ChoiceList NoYes;
extern const ChoiceList OffOn;
extern const ChoiceList DisabledEnabled;
extern const ChoiceList QuiettimeRandomize;
extern const ChoiceList Ptt;
extern const ChoiceList Squelch;
extern const ChoiceList Busydetect;
extern const ChoiceList ConsecutivePackets;
extern const ChoiceList CallfilterRule;
extern const ChoiceList WeatherStation;  // 11 entries; 5 and 6 are the WS-23XX stations
extern const ChoiceList AnalogSource;    // 18 entries, shared by the five analog channels
extern const ChoiceList DigitalSource;   // 9 entries, shared by the eight digital channels
extern const ChoiceList SerialPort;      // roles of the two RS-232 ports
extern const ChoiceList Rs485Port;
}  // namespace lists

// Indexes the program itself relies on.
namespace choice {
inline constexpr int SerialNone = 0;
inline constexpr int SerialWeatherStation = 1;
inline constexpr int SerialConsole = 2;
inline constexpr int SerialNegativeVoltage = 3;
inline constexpr int StationWs2300 = 5;
inline constexpr int StationWs2350 = 6;
}  // namespace choice

}  // namespace tarnvik
