#include "image/StoredSettings.h"

#include <algorithm>
#include <cstdint>

#include "core/OperationError.h"
#include "image/ConfigImage.h"
#include "image/FieldDecoder.h"
#include "image/FieldEncoder.h"
#include "image/ImageFields.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

// What every callsign slot and every SSID accepts, standing in for the other
// half of a field while one half is written alone.
constexpr const char* kStandInCallsign = "A";
constexpr const char* kStandInSsid = "0";

// Writes each setting into its field alone and reads it back.
class AloneWriter {
 public:
  AloneWriter(const DeviceSettings& settings, std::vector<std::optional<std::string>>& stored)
      : settings_(settings), probe_(settings), readBack_(settings), stored_(stored) {}

  // A setting that shares its field with `partner` is written with the
  // partner's stand-in, then the partner is put back.
  void storeAlone(const ImageField& field, const std::string& setting, const std::string& partner,
                  const char* standIn) {
    probe_.setText(partner, standIn);
    store(field, setting);
    probe_.setText(partner, settings_.text(partner));
  }

  void store(const ImageField& field, const std::string& setting) {
    if (!writes(field)) return;
    FieldDecoder(image_, readBack_).decode(field);
    const std::size_t index = DeviceSettings::indexOf(setting);
    stored_[index] = SettingValueText(readBack_, index);
  }

 private:
  // False when Write config would refuse the field.
  bool writes(const ImageField& field) {
    const auto bytes = FieldBytes(image_, field.pos);
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
    try {
      return !FieldEncoder(probe_, image_).encode(field).has_value();
    } catch (const ConversionError&) {
      return false;
    }
  }

  const DeviceSettings& settings_;
  DeviceSettings probe_;
  DeviceSettings readBack_;
  ConfigImage image_;
  std::vector<std::optional<std::string>>& stored_;
};

bool IsPath(const ImageField& field) { return field.kind == FieldKind::Address && !field.destination; }

}  // namespace

std::string SettingValueText(const DeviceSettings& settings, std::size_t index) {
  const SettingDefinition& definition = SettingsTable().at(index);
  switch (definition.kind) {
    case SettingKind::Text: return settings.text(definition.name);
    case SettingKind::Choice: return std::to_string(settings.choice(definition.name));
    case SettingKind::Flag: return settings.flag(definition.name) ? "1" : "0";
  }
  return {};
}

StoredSettings::StoredSettings(const DeviceSettings& settings)
    : stored_(SettingsTable().size()), ignored_(SettingsTable().size()) {
  for (std::size_t index = 0; index < SettingsTable().size(); ++index)
    values_.push_back(SettingValueText(settings, index));
  AloneWriter writer(settings, stored_);
  for (const ImageField& field : ImageFields()) {
    if (!field.decoded) continue;
    if (field.ssidSetting.empty()) {
      writer.store(field, field.setting);
      continue;
    }
    writer.storeAlone(field, field.setting, field.ssidSetting, kStandInSsid);
    writer.storeAlone(field, field.ssidSetting, field.setting, kStandInCallsign);
    const auto& callsign = stored_[DeviceSettings::indexOf(field.setting)];
    if (IsPath(field) && callsign && callsign->empty()) ignored_[DeviceSettings::indexOf(field.ssidSetting)] = true;
  }
}

bool StoredSettings::sameForUnit(const StoredSettings& other, std::size_t index) const {
  if (!kept(index) || !other.kept(index)) return true;
  const auto& mine = stored(index);
  const auto& theirs = other.stored(index);
  if (mine && theirs) return *mine == *theirs;
  return values_.at(index) == other.values_.at(index);
}

}  // namespace tarnvik
