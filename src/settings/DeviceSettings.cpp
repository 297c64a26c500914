#include "settings/DeviceSettings.h"

#include <functional>
#include <stdexcept>
#include <utility>

#include "settings/Families.h"
#include "settings/Presets.h"
#include "settings/Reactions.h"

namespace tarnvik {

namespace {

// The settings' names in an open-addressed table of at least four slots per
// setting, so that a name is found at its first or second slot: every read
// and write of a setting looks its name up, hundreds of times per file read.
// Each slot holds its name's hash, so that only the name sought is compared.
class NameIndex {
 public:
  NameIndex() {
    const auto& table = SettingsTable();
    std::size_t size = 1;
    while (size < 4 * table.size()) size *= 2;
    slots_.assign(size, Slot{});
    for (std::size_t i = 0; i < table.size(); ++i) {
      const std::size_t hash = Hash(table[i].name);
      std::size_t at = hash & (size - 1);
      while (slots_[at].index != kEmpty) at = (at + 1) & (size - 1);
      slots_[at] = {hash, i, table[i].name};
    }
  }

  std::size_t find(std::string_view name) const {
    const std::size_t hash = Hash(name);
    for (std::size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[at];
      if (slot.index == kEmpty || (slot.hash == hash && slot.name == name)) return slot.index;
    }
  }

  static constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);

 private:
  struct Slot {
    std::size_t hash = 0;
    std::size_t index = kEmpty;
    std::string_view name;  // of the setting table, which lives as long as the program
  };
  static std::size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }

  std::vector<Slot> slots_;
};

const NameIndex& Names() {
  static const NameIndex index;
  return index;
}

// The roles of the RS-232 ports, in the order their reactions must run.
constexpr const char* kSerialRoles[] = {"Serial1_mode", "Serial2_mode"};

bool IsSerialRole(std::string_view name) { return name == kSerialRoles[0] || name == kSerialRoles[1]; }

const char* KindName(SettingKind kind) {
  switch (kind) {
    case SettingKind::Text: return "text";
    case SettingKind::Choice: return "choice";
    case SettingKind::Flag: return "flag";
  }
  return "?";
}

}  // namespace

DeviceSettings::DeviceSettings(const PcClock& clock) : values_(StartUpValues()) { CopyPcClock(*this, clock); }

// Building them runs the presets and the port rules, which cost far more than
// a copy: the tool builds settings for every file it reads.
const std::vector<DeviceSettings::Value>& DeviceSettings::StartUpValues() {
  static const std::vector<Value> values = [] {
    DeviceSettings s(Unbuilt{});
    s.construct();
    return s.values_;
  }();
  return values;
}

std::size_t DeviceSettings::indexOf(std::string_view name) {
  const std::size_t index = Names().find(name);
  if (index == NameIndex::kEmpty) throw std::logic_error("unknown setting '" + std::string(name) + "'");
  return index;
}

bool DeviceSettings::has(std::string_view name) { return Names().find(name) != NameIndex::kEmpty; }

std::size_t DeviceSettings::ofKind(std::size_t index, SettingKind kind) {
  const SettingDefinition& d = SettingsTable().at(index);
  if (d.kind != kind) throw std::logic_error("setting '" + std::string(d.name) + "' is not a " + KindName(kind));
  return index;
}

void DeviceSettings::changed(std::size_t index) const {
  // A copy of the list: a listener may add or remove listeners.
  const auto listeners = listeners_;
  for (const auto& entry : listeners) entry.second(index);
}

DeviceSettings::ListenerId DeviceSettings::addListener(Listener listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void DeviceSettings::removeListener(ListenerId id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

DeviceSettings& DeviceSettings::operator=(const DeviceSettings& other) {
  if (this == &other) return *this;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (values_[i] == other.values_[i]) continue;
    values_[i] = other.values_[i];
    changed(i);
  }
  return *this;
}

const std::string& DeviceSettings::text(std::string_view name) const { return textAt(indexOf(name)); }

void DeviceSettings::setText(std::string_view name, std::string value) { setTextAt(indexOf(name), std::move(value)); }

int DeviceSettings::choice(std::string_view name) const { return choiceAt(indexOf(name)); }

void DeviceSettings::setChoice(std::string_view name, int index) { setChoiceAt(indexOf(name), index); }

bool DeviceSettings::flag(std::string_view name) const { return flagAt(indexOf(name)); }

void DeviceSettings::setFlag(std::string_view name, bool checked) { setFlagAt(indexOf(name), checked); }

const std::string& DeviceSettings::textAt(std::size_t index) const {
  return values_[ofKind(index, SettingKind::Text)].text;
}

// A text ends at a NUL byte, as the text of any edit control does: what
// follows one could never be shown, typed or sent to the unit.
void DeviceSettings::setTextAt(std::size_t index, std::string value) {
  if (const auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  Value& v = values_[ofKind(index, SettingKind::Text)];
  if (v.text == value) return;
  v.text = std::move(value);
  changed(index);
}

int DeviceSettings::choiceAt(std::size_t index) const { return values_[ofKind(index, SettingKind::Choice)].choice; }

void DeviceSettings::setChoiceAt(std::size_t index, int entry) {
  const int count = static_cast<int>(SettingsTable()[ofKind(index, SettingKind::Choice)].choices->size());
  const int selected = (entry >= 0 && entry < count) ? entry : -1;
  if (values_[index].choice == selected) return;
  values_[index].choice = selected;
  changed(index);
}

bool DeviceSettings::flagAt(std::size_t index) const { return values_[ofKind(index, SettingKind::Flag)].flag; }

void DeviceSettings::setFlagAt(std::size_t index, bool checked) {
  if (values_[ofKind(index, SettingKind::Flag)].flag == checked) return;
  values_[index].flag = checked;
  changed(index);
  const ReactionEntry* reaction = FindReaction(SettingsTable()[index].name);
  if (reaction != nullptr && reaction->runs == ReactionRuns::OnEveryStateChange) reaction->reaction(*this);
}

bool DeviceSettings::enabled(std::string_view name) const { return values_[indexOf(name)].enabled; }

void DeviceSettings::setEnabled(std::string_view name, bool editable) {
  const std::size_t index = indexOf(name);
  if (values_[index].enabled == editable) return;
  values_[index].enabled = editable;
  changed(index);
}

// The order of these steps makes the start-up values: every choice but the
// serial roles, the presets (which read the channel sources and overwrite the
// channel texts), and last the serial roles with their reactions, port 1
// before port 2. The clock fields are left to the constructor: nothing here
// reads them.
void DeviceSettings::construct() {
  const auto& table = SettingsTable();
  values_.resize(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    values_[i].text = table[i].initialText;
    values_[i].flag = table[i].initialFlag;
  }
  for (const char* field : kClockFields) values_[indexOf(field)].enabled = false;
  for (const SettingDefinition& d : table)
    if (d.kind == SettingKind::Choice && !IsSerialRole(d.name)) setChoice(d.name, d.startChoice);
  for (int n : families::kAnalogChannels.numbers()) ApplyAnalogPreset(*this, n);
  for (int n : families::kDigitalChannels.numbers()) ApplyDigitalPreset(*this, n);
  for (const char* port : kSerialRoles) {
    setChoice(port, definition(port).startChoice);
    RunAfterProgramSet(*this, port);
  }
}

void CopyPcClock(DeviceSettings& settings, const PcClock& clock) {
  const UtcDateTime now = ToUtc(clock());
  const int parts[] = {now.year, now.month, now.day, now.hour, now.minute};
  for (int i = 0; i < 5; ++i) settings.setText(kClockFields[i], std::to_string(parts[i]));
}

}  // namespace tarnvik
