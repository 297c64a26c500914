#pragma once
// Sets one setting (or a callsign and its SSID) from its row of the field
// table. Whatever the bytes hold becomes a setting: no range check, no
// fallback; a text without its terminator ends at its field's end.

#include <span>
#include <string>

#include "image/ConfigImage.h"
#include "image/ImageCodec.h"
#include "image/ImageField.h"

namespace tarnvik {

class DeviceSettings;

class FieldDecoder {
 public:
  FieldDecoder(const ConfigImage& image, DeviceSettings& settings) : image_(image), settings_(settings) {}

  void decode(const ImageField& field);

 private:
  void stationAddress(const ImageField& field);
  void number(const ImageField& field);
  void choice(const ImageField& field);
  void flag(const ImageField& field);
  void text(const ImageField& field);
  void address(const ImageField& field);
  void filterEntry(const ImageField& field);

  std::span<const std::uint8_t> bytes(const ImageField& field) const { return FieldBytes(image_, field.pos); }

  const ConfigImage& image_;
  DeviceSettings& settings_;
};

}  // namespace tarnvik
