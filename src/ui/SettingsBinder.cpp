#include "ui/SettingsBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <stdexcept>

#include "settings/DeviceSettings.h"
#include "settings/Reactions.h"
#include "ui/SettingField.h"
#include "ui/ShownText.h"

namespace tarnvik {

namespace {

// The handler a list runs when the operator picks an entry: its reaction,
// if it has one (the serial port roles and the weather station).
Reaction PickHandlerOf(const std::string& setting) {
  const ReactionEntry* entry = FindReaction(setting);
  return entry != nullptr ? entry->reaction : nullptr;
}

}  // namespace

SettingsBinder::SettingsBinder(DeviceSettings& settings)
    : settings_(settings), controls_(SettingsTable().size(), nullptr) {
  listener_ = settings_.addListener([this](std::size_t index) { show(index); });
}

SettingsBinder::~SettingsBinder() { settings_.removeListener(listener_); }

QWidget* SettingsBinder::control(const std::string& setting, const std::string& caption) {
  const std::size_t index = DeviceSettings::indexOf(setting);
  if (controls_[index] != nullptr) throw std::logic_error("setting '" + setting + "' has a control already");
  QWidget* made = nullptr;
  switch (SettingsTable()[index].kind) {
    case SettingKind::Text: made = makeText(index); break;
    case SettingKind::Choice: made = makeChoice(index); break;
    case SettingKind::Flag: made = makeFlag(index, caption); break;
  }
  made->setObjectName(QString::fromStdString(setting));
  controls_[index] = made;
  // The control is gone before this binder when its window closes first.
  connect(made, &QObject::destroyed, this, [this, index] { controls_[index] = nullptr; });
  show(index);
  return made;
}

QWidget* SettingsBinder::controlOf(const std::string& setting) const {
  return DeviceSettings::has(setting) ? controls_[DeviceSettings::indexOf(setting)] : nullptr;
}

QWidget* SettingsBinder::makeText(std::size_t index) {
  const SettingDefinition& definition = SettingsTable()[index];
  auto* field = new SettingField(definition.maxLength);
  connect(field, &QLineEdit::textEdited, this,
          [this, field, &definition] { settings_.setText(definition.name, field->settingText()); });
  return field;
}

QWidget* SettingsBinder::makeChoice(std::size_t index) {
  const SettingDefinition& definition = SettingsTable()[index];
  auto* list = new QComboBox;
  for (const std::string& entry : *definition.choices) list->addItem(ShownText(entry));
  // Activated is the operator's pick (mouse, keyboard or wheel), never the program's.
  const auto handler = PickHandlerOf(definition.name);
  connect(list, &QComboBox::activated, this, [this, handler, &definition](int picked) {
    settings_.setChoice(definition.name, picked);
    if (handler != nullptr) handler(settings_);
  });
  return list;
}

QWidget* SettingsBinder::makeFlag(std::size_t index, const std::string& caption) {
  const SettingDefinition& definition = SettingsTable()[index];
  auto* box = new QCheckBox(ShownText(caption));
  connect(box, &QCheckBox::clicked, this,
          [this, &definition](bool checked) { settings_.setFlag(definition.name, checked); });
  return box;
}

void SettingsBinder::show(std::size_t index) {
  QWidget* widget = controls_[index];
  if (widget == nullptr) return;
  const SettingDefinition& definition = SettingsTable()[index];
  widget->setEnabled(settings_.enabled(definition.name));
  switch (definition.kind) {
    case SettingKind::Text: {
      auto* field = static_cast<SettingField*>(widget);
      const std::string& text = settings_.text(definition.name);
      if (field->settingText() != text) field->showProgramText(text);
      break;
    }
    case SettingKind::Choice:
      static_cast<QComboBox*>(widget)->setCurrentIndex(settings_.choice(definition.name));
      break;
    case SettingKind::Flag: static_cast<QCheckBox*>(widget)->setChecked(settings_.flag(definition.name)); break;
  }
}

}  // namespace tarnvik
