#include "app/RefusedSetting.h"

#include "cfgfile/ConfigFileKeys.h"
#include "image/EncodeSettings.h"
#include "settings/DeviceSettings.h"
#include "settings/NumberText.h"

namespace tarnvik {

std::string RefusedByWrite(const DeviceSettings& settings) {
  const auto refusal = FindRefusal(settings);
  return refusal ? refusal->setting : std::string();
}

// Save converts the number keys in the order of the key table and stops at
// the first one that does not convert.
std::string RefusedBySave(const DeviceSettings& settings) {
  for (const FileKey& key : ConfigFileKeys())
    if (key.kind == FileValueKind::Integer && !ParseFileInteger(settings.text(key.setting))) return key.setting;
  return {};
}

}  // namespace tarnvik
