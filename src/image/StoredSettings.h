#pragma once
// The settings as the unit would keep them. Writing a setting into its image
// field normalises it: callsigns, destinations and paths go in upper case and
// padded with spaces (a trailing space makes no difference), numbers keep only
// the bits of their field (0250 and 250 are the same u32, 65536 in a u16 is
// 0), and a path's SSID is not stored at all while the path is empty. Two
// settings records that differ only in such ways put the same bytes into the
// unit, so comparing them this way reports only what the unit would really
// hold differently.
//
// A setting's stored form is found by writing its field alone into an empty
// image and reading it back, as Read config would. A callsign and its SSID
// share a field but are settings of their own, each found alone: the other
// one is given a stand-in that the field accepts, so a refused SSID does not
// make its callsign compare as typed, nor the reverse. A field that Write
// config would refuse (a value out of range, a text too long for its field, a
// number text that does not convert, an empty destination) has no stored
// form, nor has a setting without a field of its own (Uploadpctime, which only
// the window and the file keep).
//
// The SSID of a path that holds no callsign (one that reads back empty) is
// not kept at all: the unit ignores it, so it is never compared, whatever the
// other record holds there.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarnvik {

class DeviceSettings;

class StoredSettings {
 public:
  explicit StoredSettings(const DeviceSettings& settings);

  // The value of setting `index` of SettingsTable() as it stands: its text,
  // its choice index in decimal, or "1" / "0" for a flag.
  const std::string& value(std::size_t index) const { return values_.at(index); }
  // The same value as the unit would give it back, or nothing (see above).
  const std::optional<std::string>& stored(std::size_t index) const { return stored_.at(index); }
  // False for the SSID of a path that holds no callsign.
  bool kept(std::size_t index) const { return !ignored_.at(index); }

  // True when both hold the same for the unit: always when either does not
  // keep the setting, their stored forms when both have one, otherwise their
  // values as they stand.
  bool sameForUnit(const StoredSettings& other, std::size_t index) const;

 private:
  std::vector<std::string> values_;
  std::vector<std::optional<std::string>> stored_;
  std::vector<bool> ignored_;
};

// The value of a setting in the form StoredSettings::value gives.
std::string SettingValueText(const DeviceSettings& settings, std::size_t index);

}  // namespace tarnvik
