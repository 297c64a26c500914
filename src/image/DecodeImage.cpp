#include "image/DecodeImage.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/AppInfo.h"
#include "core/Operator.h"
#include "image/FieldDecoder.h"
#include "image/ImageFields.h"
#include "settings/Reactions.h"

namespace tarnvik {

namespace {

// A unit whose mark merely starts with our version (a longer text) is ours.
bool VersionMatches(const ConfigImage& image) {
  const std::string_view ours = kConfigVersion;
  const auto mark = FieldBytes(image, layout::kConfigVersion);
  return std::equal(ours.begin(), ours.end(), mark.begin());
}

std::string VersionMessage(const ConfigImage& image) {
  return "Uncompatible configuration version:\nDevice: " + GetText(FieldBytes(image, layout::kConfigVersion)) +
         "\nConfigurator: " + kConfigVersion;
}

}  // namespace

bool DecodeImage(ConfigImage& readImage, DeviceSettings& settings, Operator& op) {
  if (!VersionMatches(readImage)) {
    readImage.bytes[layout::kConfigVersion.end() - 1] = 0;
    op.informationBox(VersionMessage(readImage));
    return false;
  }
  FieldDecoder decoder(readImage, settings);
  for (const ImageField& field : ImageFields()) {
    if (!field.decoded) continue;
    decoder.decode(field);
    RunAfterProgramSet(settings, field.setting);
  }
  return true;
}

}  // namespace tarnvik
