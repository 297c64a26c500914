// Every setting changed in every way a table of awkward values allows, with
// the other half of each address valid or refused: the comparison diff uses
// never reports a setting whose two values read the same, compares each
// setting alone, and reports a change exactly when the images differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/OperationError.h"
#include "image/EncodeSettings.h"
#include "image/ImageFields.h"
#include "image/StoredSettings.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

// Empty, blank, numbers with and without leading zeros or beyond 16 bits,
// SSIDs out of range, the wildcard, case and trailing blanks, too long, a
// position, an unprintable character.
const std::vector<std::string> kTexts = {"",  " ",     "0",     "00",     "+1",       "16",    "-1",       "x",
                                         "*", "wide2", "WIDE2", "WIDE2 ", "TOOLONGX", "65536", "5221.60N", "a\x01"};

bool IsClock(std::size_t index) {
  static const std::vector<bool> clock = [] {
    std::vector<bool> marks;
    for (const SettingDefinition& d : SettingsTable())
      marks.push_back(std::find(std::begin(kClockFields), std::end(kClockFields), d.name) != std::end(kClockFields));
    return marks;
  }();
  return clock[index];
}

// Every address callsign and SSID set to `call` and `ssid`.
DeviceSettings WithAddresses(const std::string& call, const std::string& ssid) {
  DeviceSettings s = test::FreshSettings();
  for (const ImageField& field : ImageFields()) {
    if (field.ssidSetting.empty()) continue;
    s.setText(field.setting, call);
    s.setText(field.ssidSetting, ssid);
  }
  return s;
}

// The base record with setting `index` given each value of its kind in turn.
std::vector<DeviceSettings> Variants(const DeviceSettings& base, std::size_t index) {
  const SettingDefinition& d = SettingsTable()[index];
  std::vector<DeviceSettings> records;
  const auto add = [&](const auto& change) {
    records.push_back(base);
    change(records.back());
  };
  if (d.kind == SettingKind::Text)
    for (const std::string& text : kTexts) add([&](DeviceSettings& s) { s.setText(d.name, text); });
  if (d.kind == SettingKind::Choice)
    for (int choice : {-1, 0, 1, static_cast<int>(d.choices->size()) - 1})
      add([&](DeviceSettings& s) { s.setChoice(d.name, choice); });
  if (d.kind == SettingKind::Flag)
    for (bool flag : {false, true}) add([&](DeviceSettings& s) { s.setFlag(d.name, flag); });
  return records;
}

std::optional<ConfigImage> Encoded(const DeviceSettings& s) {
  ConfigImage image;
  test::RecordingOperator op;
  try {
    if (EncodeSettings(s, image, op, [] { return std::uint16_t(1234); })) return image;
  } catch (const ConversionError&) {
  }
  return std::nullopt;
}

// The SSID byte of a path whose callsign slot is blank in both images: the
// unit holds no path there, so its SSID counts for nothing.
bool IgnoredSsidByte(const ConfigImage& a, const ConfigImage& b, std::size_t offset) {
  for (const ImageField& field : ImageFields()) {
    if (field.kind != FieldKind::Address || field.destination) continue;
    if (offset != field.pos.offset + layout::kCallsignChars) continue;
    const auto blank = [&](const ConfigImage& image) {
      return std::all_of(image.bytes.begin() + static_cast<std::ptrdiff_t>(field.pos.offset),
                         image.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                         [](std::uint8_t byte) { return byte == ' '; });
    };
    return blank(a) && blank(b);
  }
  return false;
}

// Other than in the checksum, which follows from the rest.
bool StoresDifferently(const ConfigImage& a, const ConfigImage& b) {
  for (std::size_t i = layout::kImageChecksum.end(); i < ConfigImage::kSize; ++i)
    if (a.bytes[i] != b.bytes[i] && !IgnoredSsidByte(a, b, i)) return true;
  return false;
}

// The variants of one setting over one base record, with their stored forms.
struct Sweep {
  std::vector<DeviceSettings> records;
  std::vector<StoredSettings> stored;
  explicit Sweep(std::vector<DeviceSettings> variants) : records(std::move(variants)) {
    for (const DeviceSettings& s : records) stored.emplace_back(s);
  }
  // The settings diff would report between variants i and j; each must show two different values.
  std::vector<std::size_t> reported(std::size_t i, std::size_t j, std::vector<std::string>& faults) const {
    std::vector<std::size_t> found;
    for (std::size_t k = 0; k < SettingsTable().size(); ++k) {
      if (IsClock(k) || stored[i].sameForUnit(stored[j], k)) continue;
      found.push_back(k);
      if (stored[i].value(k) == stored[j].value(k)) faults.push_back(SettingsTable()[k].name + " shows equal values");
    }
    return found;
  }
};

// Variants i and j of setting `changed`, over a base whose addresses are all
// valid (a) and one whose addresses are all refused (b).
std::vector<std::string> Faults(const Sweep& a, const Sweep& b, std::size_t changed, std::size_t i, std::size_t j,
                                const std::vector<std::optional<ConfigImage>>& images) {
  std::vector<std::string> faults;
  const bool reported = !a.reported(i, j, faults).empty();
  b.reported(i, j, faults);
  if (a.stored[i].sameForUnit(a.stored[j], changed) != b.stored[i].sameForUnit(b.stored[j], changed))
    faults.push_back("the verdict depends on the other half of the field");
  if (images[i] && images[j] && reported != StoresDifferently(*images[i], *images[j]))
    faults.push_back(reported ? "reported, but the images agree" : "the images differ, nothing reported");
  return faults;
}

TEST(StoredSettingsSweep, OneSettingChangedAnyWayIsReportedExactlyWhenTheUnitStoresItDifferently) {
  const DeviceSettings valid = WithAddresses("AB1", "1"), refused = WithAddresses("TOOLONGX", "x");
  ASSERT_TRUE(Encoded(valid).has_value());
  int failures = 0;
  for (std::size_t changed = 0; changed < SettingsTable().size() && failures < 10; ++changed) {
    const std::string& name = SettingsTable()[changed].name;
    if (IsClock(changed)) continue;
    const Sweep a(Variants(valid, changed)), b(Variants(refused, changed));
    std::vector<std::optional<ConfigImage>> images;  // Uploadpctime is not in the image
    for (const DeviceSettings& s : a.records) images.push_back(name == "Uploadpctime" ? std::nullopt : Encoded(s));
    for (std::size_t i = 0; i < a.records.size(); ++i) {
      for (std::size_t j = i + 1; j < a.records.size(); ++j) {
        for (const std::string& fault : Faults(a, b, changed, i, j, images)) {
          ADD_FAILURE() << name << " = \"" << SettingValueText(a.records[i], changed) << "\" vs \""
                        << SettingValueText(a.records[j], changed) << "\": " << fault;
          ++failures;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarnvik
