#include "image/StoredSettings.h"

#include "core/OperationError.h"
#include "image/ConfigImage.h"
#include "image/FieldDecoder.h"
#include "image/FieldEncoder.h"
#include "image/ImageFields.h"
#include "settings/DeviceSettings.h"

namespace tarnvik {

namespace {

// Writes one field into an empty image; false when Write config would refuse it.
bool WritesAlone(const DeviceSettings& settings, const ImageField& field, ConfigImage& image) {
  image.clear();
  try {
    return !FieldEncoder(settings, image).encode(field).has_value();
  } catch (const ConversionError&) {
    return false;
  }
}

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

StoredSettings::StoredSettings(const DeviceSettings& settings) : settings_(settings), stored_(SettingsTable().size()) {
  DeviceSettings readBack(settings);
  ConfigImage image;
  for (const ImageField& field : ImageFields()) {
    if (!field.decoded || !WritesAlone(settings, field, image)) continue;
    FieldDecoder(image, readBack).decode(field);
    for (const std::string* name : {&field.setting, &field.ssidSetting}) {
      if (name->empty()) continue;
      const std::size_t index = DeviceSettings::indexOf(*name);
      stored_[index] = SettingValueText(readBack, index);
    }
  }
}

std::string StoredSettings::value(std::size_t index) const { return SettingValueText(settings_, index); }

bool StoredSettings::sameForUnit(const StoredSettings& other, std::size_t index) const {
  const auto& mine = stored(index);
  const auto& theirs = other.stored(index);
  if (mine && theirs) return *mine == *theirs;
  return value(index) == other.value(index);
}

}  // namespace tarnvik
