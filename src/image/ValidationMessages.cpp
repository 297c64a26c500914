#include "image/ValidationMessages.h"

#include <cctype>
#include <stdexcept>

namespace tarnvik {

namespace {

struct MessageRow {
  const char* setting;  // "{n}" stands for the number of a family member
  Problem problem;
  const char* text;  // "{n}" as above, "{max}" for the characters that fit
};

using P = Problem;

const MessageRow kMessages[] = {
    {"Callsign", P::TooShort, "Callsign - too short (ex. NOCALL-4)."},
    {"Ssid", P::Range, "Callsign - SSID range error (0 - 15)."},
    {"Txdelay", P::Range, "TX delay - range error (200 - 1000)."},
    {"Quiettime", P::Range, "Quiet time - range error (200 - 3000)."},
    {"Latitude", P::Syntax, "Latitude - syntax error (ex. 5221.60N)."},
    {"Longitude", P::Syntax, "Longitude - syntax error (ex. 01653.63E)."},
    {"Floodtimeout", P::Range, "Duplicate checking - range error (15 - 180)."},
    {"Pathn{n}_lower", P::Range, "Path(n-N) {n}, n>= value range error (1 - 7)."},
    {"Pathn{n}_higher", P::Range, "Path(n-N) {n}, n<= value range error (1 - 7)."},
    {"Callfilter_ssid{n}", P::Range, "Callsign filter {n} - SSID range error (0 - 15, or wildcard '*')."},
    {"Beacon{n}_dest_string", P::TooShort, "Beacon {n} destination - too short (ex. APQX03)."},
    {"Beacon{n}_dest_ssid", P::Range, "Beacon {n} destination - SSID range error (0 - 15)."},
    {"Beacon{n}_path_ssid", P::Range, "Beacon {n} path - SSID range error (0 - 15)."},
    {"Beacon{n}_txrate_rf", P::Range, "Beacon {n} tx rate (RF) range error (5 - 1440), or 0 to disable."},
    {"Beacon{n}_msg", P::Forbidden, "Beacon {n} message - forbidden characters."},
    {"Weather_dest_string", P::TooShort, "Weather destination - too short (ex. APQX03)."},
    {"Weather_dest_ssid", P::Range, "Weather destination - SSID range error (0 - 15)."},
    {"Weather_path_ssid", P::Range, "Weather path - SSID range error (0 - 15)."},
    {"Weather_txrate_rf", P::Range, "Weather report tx rate (RF) range error (5 - 1440)."},
    {"Weather_comment", P::Forbidden, "Weather report comment - forbidden characters."},
    {"Tele_holdoff", P::Range, "First telemetry data packet delay range error (0 - 250)."},
    {"Teledata_dest_string", P::TooShort, "Telemetry data destination - too short (ex. APQX03)."},
    {"Teledata_dest_ssid", P::Range, "Telemetry data destination - SSID range error (0 - 15)."},
    {"Teledata_path_ssid", P::Range, "Telemetry data path - SSID range error (0 - 15)."},
    {"Teledata_txrate_rf", P::Range, "Telemetry data tx rate (RF) range error (5 - 1440)."},
    {"Teleparams_dest_string", P::TooShort, "Telemetry parameters destination - too short (ex. APQX03)."},
    {"Teleparams_dest_ssid", P::Range, "Telemetry parameters destination - SSID range error (0 - 15)."},
    {"Teleparams_path_ssid", P::Range, "Telemetry parameters path - SSID range error (0 - 15)."},
    {"Teleparams_txrate_rf", P::Range, "Telemetry parameters tx rate (RF) range error (5 - 1440)."},

    // Texts set by the program (an imported file) can be longer than their
    // image field; they are refused rather than cut.
    {"Callsign", P::TooLong, "Callsign - too long (max. {max} characters)."},
    {"Pathn{n}_name", P::TooLong, "Path(n-N) {n} name - too long (max. {max} characters)."},
    {"Callfilter_callsign{n}", P::TooLong, "Callsign filter {n} callsign - too long (max. {max} characters)."},
    {"Beacon{n}_dest_string", P::TooLong, "Beacon {n} destination - too long (max. {max} characters)."},
    {"Beacon{n}_path_string", P::TooLong, "Beacon {n} path - too long (max. {max} characters)."},
    {"Beacon{n}_msg", P::TooLong, "Beacon {n} message - too long (max. {max} characters)."},
    {"Weather_dest_string", P::TooLong, "Weather destination - too long (max. {max} characters)."},
    {"Weather_path_string", P::TooLong, "Weather path - too long (max. {max} characters)."},
    {"Weather_comment", P::TooLong, "Weather report comment - too long (max. {max} characters)."},
    {"Teletitle", P::TooLong, "Telemetry project title - too long (max. {max} characters)."},
    {"Teleanalog{n}_name", P::TooLong, "Analog channel {n} name - too long (max. {max} characters)."},
    {"Teleanalog{n}_units", P::TooLong, "Analog channel {n} units - too long (max. {max} characters)."},
    {"Teleanalog{n}_coefa", P::TooLong, "Analog channel {n} coefficient A - too long (max. {max} characters)."},
    {"Teleanalog{n}_coefb", P::TooLong, "Analog channel {n} coefficient B - too long (max. {max} characters)."},
    {"Teleanalog{n}_coefc", P::TooLong, "Analog channel {n} coefficient C - too long (max. {max} characters)."},
    {"Teledigital{n}_name", P::TooLong, "Digital channel {n} name - too long (max. {max} characters)."},
    {"Teledigital{n}_units", P::TooLong, "Digital channel {n} label - too long (max. {max} characters)."},
    {"Teledata_dest_string", P::TooLong, "Telemetry data destination - too long (max. {max} characters)."},
    {"Teledata_path_string", P::TooLong, "Telemetry data path - too long (max. {max} characters)."},
    {"Teleparams_dest_string", P::TooLong, "Telemetry parameters destination - too long (max. {max} characters)."},
    {"Teleparams_path_string", P::TooLong, "Telemetry parameters path - too long (max. {max} characters)."},
};

constexpr std::string_view kNumber = "{n}";
constexpr std::string_view kMax = "{max}";

// "Beacon2_msg" becomes the key "Beacon{n}_msg" and the number "2".
struct FamilyKey {
  std::string key;
  std::string number;
};

FamilyKey KeyOf(std::string_view setting) {
  const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  std::size_t first = 0;
  while (first < setting.size() && !isDigit(setting[first])) ++first;
  if (first == setting.size()) return {std::string(setting), {}};
  std::size_t last = first;
  while (last < setting.size() && isDigit(setting[last])) ++last;
  std::string key = std::string(setting.substr(0, first)) + std::string(kNumber) + std::string(setting.substr(last));
  return {std::move(key), std::string(setting.substr(first, last - first))};
}

void Replace(std::string& text, std::string_view placeholder, const std::string& value) {
  const auto at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

}  // namespace

std::string ValidationMessage(std::string_view setting, Problem problem, std::size_t maxChars) {
  const FamilyKey family = KeyOf(setting);
  for (const MessageRow& row : kMessages) {
    if (row.problem != problem || family.key != row.setting) continue;
    std::string text = row.text;
    Replace(text, kNumber, family.number);
    Replace(text, kMax, std::to_string(maxChars));
    return text;
  }
  throw std::logic_error("no validation message for '" + std::string(setting) + "'");
}

}  // namespace tarnvik
