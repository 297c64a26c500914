#pragma once
// Makes the control of each setting and keeps it and the setting the same
// value, both ways: what the operator types, picks or checks is at once the
// setting, and whatever the program writes into a setting (a preset, a read
// configuration, an imported file, a reaction) shows at once in its control,
// together with the setting's enabled state. The settings are the only copy.
//
// Handlers run for the operator's own picks only: picking a serial port role
// or a weather station runs its reaction, as the program's own changes do
// not. A change of Uploadpctime runs its reaction in DeviceSettings itself.

#include <QObject>
#include <string>
#include <vector>

class QWidget;

namespace tarnvik {

class DeviceSettings;

class SettingsBinder : public QObject {
  Q_OBJECT
 public:
  explicit SettingsBinder(DeviceSettings& settings);
  ~SettingsBinder() override;
  SettingsBinder(const SettingsBinder&) = delete;
  SettingsBinder& operator=(const SettingsBinder&) = delete;

  // The control of a setting, named after it and showing its value: a text
  // field, a drop-down list of the setting's entries or a check box with the
  // given caption. Each setting has one control.
  QWidget* control(const std::string& setting, const std::string& caption = {});

  DeviceSettings& settings() { return settings_; }
  // The control made for a setting; nullptr when it has none.
  QWidget* controlOf(const std::string& setting) const;

 private:
  QWidget* makeText(std::size_t index);
  QWidget* makeChoice(std::size_t index);
  QWidget* makeFlag(std::size_t index, const std::string& caption);
  void show(std::size_t index);

  DeviceSettings& settings_;
  std::vector<QWidget*> controls_;  // by setting index; nullptr: not shown
  std::size_t listener_;
};

}  // namespace tarnvik
