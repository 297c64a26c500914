#pragma once
// DeviceSettings: every setting of the unit, as the window shows it. Texts are
// held exactly as typed or set (8-bit ISO 8859-1, one byte per character, up
// to a NUL byte, which ends a text as in any edit control), choices as the
// index of an entry (-1: no entry selected), flags as booleans.
// Nothing is checked when a value is set; the image encoder and the file
// export check and convert.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/PcClock.h"
#include "settings/SettingDefinition.h"

namespace tarnvik {

class DeviceSettings {
 public:
  // Called after a setting's value or enabled state changed, with the
  // setting's index in SettingsTable(). The window uses it to show the change.
  using Listener = std::function<void(std::size_t index)>;
  using ListenerId = std::size_t;

  // Builds every setting with its start-up value: the presets and the serial
  // port reactions run and the clock fields take the PC's time in UTC.
  explicit DeviceSettings(const PcClock& clock = SystemPcClock());

  // A copy takes the values and enabled states but none of the listeners, so
  // whoever watches the original never hears of the copy's changes.
  DeviceSettings(const DeviceSettings& other) : values_(other.values_) {}
  // Takes the other's values; this record's own listeners hear of every
  // setting that changed.
  DeviceSettings& operator=(const DeviceSettings& other);

  // Access by the setting's name. An unknown name, or a name of another kind,
  // is a programming error and throws std::logic_error.
  const std::string& text(std::string_view name) const;
  void setText(std::string_view name, std::string value);
  int choice(std::string_view name) const;
  // An index outside the setting's list leaves no entry selected (-1). Runs no
  // reaction: whoever sets a serial port role calls its reaction.
  void setChoice(std::string_view name, int index);
  bool flag(std::string_view name) const;
  // A change of Uploadpctime runs UploadpctimeClick, as the operator's click does.
  void setFlag(std::string_view name, bool checked);
  // Editable or not. Only the serial port roles and the clock fields change it.
  bool enabled(std::string_view name) const;
  void setEnabled(std::string_view name, bool editable);
  // The values again, by index in SettingsTable(), for callers that walk a table of
  // the settings anyway (std::logic_error for a setting of another kind).
  const std::string& textAt(std::size_t index) const;
  void setTextAt(std::size_t index, std::string value);
  int choiceAt(std::size_t index) const;
  void setChoiceAt(std::size_t index, int entry);
  bool flagAt(std::size_t index) const;
  void setFlagAt(std::size_t index, bool checked);

  // Every value and enabled state alike (listeners aside).
  bool operator==(const DeviceSettings& other) const { return values_ == other.values_; }

  static std::size_t indexOf(std::string_view name);  // throws std::logic_error for unknown names
  static const SettingDefinition& definition(std::string_view name) { return SettingsTable()[indexOf(name)]; }
  static bool has(std::string_view name);

  // Listeners are called in the order they were added.
  ListenerId addListener(Listener listener);
  void removeListener(ListenerId id);

 private:
  struct Value {
    std::string text;
    int choice = -1;
    bool flag = false;
    bool enabled = true;
    bool operator==(const Value&) const = default;
  };

  // The index of a setting of that kind (std::logic_error for another kind).
  static std::size_t ofKind(std::size_t index, SettingKind kind);
  void changed(std::size_t index) const;
  // The start-up values but the clock fields', made once.
  static const std::vector<Value>& StartUpValues();
  struct Unbuilt {};
  explicit DeviceSettings(Unbuilt) {}
  void construct();

  std::vector<Value> values_;
  std::vector<std::pair<ListenerId, Listener>> listeners_;
  ListenerId nextListener_ = 0;
};

// The five clock fields, in image order.
inline constexpr const char* kClockFields[] = {"Rtcyear", "Rtcmonth", "Rtcday", "Rtchour", "Rtcmin"};

// Fills the five clock fields with the PC's current date and time in UTC,
// decimal texts without leading zeros; the seconds are dropped.
void CopyPcClock(DeviceSettings& settings, const PcClock& clock);

}  // namespace tarnvik
