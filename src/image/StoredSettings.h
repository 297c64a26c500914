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
// image and reading it back, as Read config would. A field that Write config
// would refuse (a value out of range, a text too long for its field, a number
// text that does not convert, an empty destination) has no stored form, nor
// has a setting without a field of its own (Uploadpctime, which only the
// window and the file keep).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarnvik {

class DeviceSettings;

class StoredSettings {
 public:
  // Keeps a reference: `settings` must outlive this view and stay unchanged.
  explicit StoredSettings(const DeviceSettings& settings);

  // The value of setting `index` of SettingsTable() as it stands: its text,
  // its choice index in decimal, or "1" / "0" for a flag.
  std::string value(std::size_t index) const;
  // The same value as the unit would give it back, or nothing (see above).
  const std::optional<std::string>& stored(std::size_t index) const { return stored_.at(index); }

  // True when both hold the same for the unit: their stored forms when both
  // have one, otherwise their values as they stand.
  bool sameForUnit(const StoredSettings& other, std::size_t index) const;

 private:
  const DeviceSettings& settings_;
  std::vector<std::optional<std::string>> stored_;
};

// The value of a setting in the form StoredSettings::value gives.
std::string SettingValueText(const DeviceSettings& settings, std::size_t index);

}  // namespace tarnvik
