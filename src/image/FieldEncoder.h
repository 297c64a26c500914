#pragma once
// Writes one row of the field table into the image: converts the setting,
// stores it and checks it in the order the unit's operator expects, and says
// why it refused when it did.

#include <optional>
#include <span>
#include <string>

#include "image/ConfigImage.h"
#include "image/ImageCodec.h"
#include "image/ImageField.h"

namespace tarnvik {

class DeviceSettings;

class FieldEncoder {
 public:
  FieldEncoder(const DeviceSettings& settings, ConfigImage& image) : settings_(settings), image_(image) {}

  // The refusal message, or nothing when the field was written and passed.
  // A number text that is not a whole number, outside an SSID, throws
  // ConversionError.
  std::optional<std::string> encode(const ImageField& field);

  // The setting whose message encode() returned last, or whose number text
  // it was converting when ConversionError left it: the setting the
  // operator has to correct.
  const std::string& lastSetting() const { return *last_; }

 private:
  using Refusal = std::optional<std::string>;

  Refusal stationAddress(const ImageField& field);
  Refusal number(const ImageField& field);
  Refusal choice(const ImageField& field);
  Refusal flag(const ImageField& field);
  Refusal text(const ImageField& field);
  Refusal position(const ImageField& field);
  Refusal address(const ImageField& field);
  Refusal filterEntry(const ImageField& field);

  const std::string& textOf(const std::string& setting) const;
  std::int32_t convert(const std::string& setting);
  Refusal refuse(const std::string& message, const std::string& setting);
  std::span<std::uint8_t> bytes(const ImageField& field) { return FieldBytes(image_, field.pos); }

  const DeviceSettings& settings_;
  ConfigImage& image_;
  const std::string* last_ = &kNoSetting;
  static inline const std::string kNoSetting;
};

}  // namespace tarnvik
