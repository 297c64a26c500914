#include "settings/ChoiceLists.h"

namespace tarnvik::lists {

const ChoiceList NoYes{"No", "Yes"};
const ChoiceList OffOn{"Off", "On"};
const ChoiceList DisabledEnabled{"Disabled", "Enabled"};
const ChoiceList QuiettimeRandomize{"No", "+/- 16 ms", "+/- 32 ms", "+/- 64 ms", "+/- 128 ms"};
const ChoiceList Ptt{"separate output", "2k2 resistor"};
const ChoiceList Squelch{"1 (lowest)", "2", "3", "4", "5", "6", "7", "8", "9", "10 (highest)"};
const ChoiceList Busydetect{"analog signal level", "digital detect"};
const ChoiceList ConsecutivePackets{"in bursts", "separately"};
const ChoiceList CallfilterRule{"Allow all, except below", "Deny all, except below"};

const ChoiceList WeatherStation{
    "None",
    "Peet Bros Ultimeter 100",
    "Peet Bros Ultimeter 800",
    "Peet Bros Ultimeter 2000",
    "Peet Bros Ultimeter 2100",
    "WS-2300",
    "WS-2350",
    "Davis Vantage Pro",
    "Davis Vantage Pro2",
    "Davis Vantage Pro Plus",
    "Davis Vantage Pro2 Plus",
};

const ChoiceList AnalogSource{
    "Not used",
    "(M) Current1 (5A fullscale)",
    "(M) Current1 (2.5A fullscale)",
    "(M) Current1 (1.25A fullscale)",
    "(M) Current2 (5A fullscale)",
    "(M) Current2 (2.5A fullscale)",
    "(M) Current2 (1.25A fullscale)",
    "(M) Voltage1",
    "(M) Voltage2",
    "(M) Temperature (DS18B20)",
    "(M) Temperature (DS18S20)",
    "(I) Input voltage",
    "(I) RX'ed packets (1 hour)",
    "(I) RX'ed packets (10 min)",
    "(I) DIGI'ed packets (1 hour)",
    "(I) DIGI'ed packets (10 min)",
    "(I) Decode efficiency (total)",
    "(I) Decode efficiency (1 hour)",
};

const ChoiceList DigitalSource{
    "Not used",    "(M) Output 1", "(M) Output 2", "(M) Output 3", "(M) Output 4",
    "(M) Input 1", "(M) Input 2",  "(M) Input 3",  "(M) Input 4",
};

const ChoiceList SerialPort{"None", "Weather station", "Serial console", "Negative voltage output"};
const ChoiceList Rs485Port{"None", "Telemetry module"};

}  // namespace tarnvik::lists
