#pragma once
// Settings as the window names them, for the operator's eyes: the tab that
// holds the setting's control and the label beside it, "Radio: TX delay
// [ms]" (where no one label names a control, the name it carries for screen
// readers, "Radio: Callsign SSID"; a check box by its own caption). Values
// are shown as the controls show them: a number as it stands, any other
// text in quotes, a drop-down's entry, a check box checked or unchecked.
// Scripts keep the key names (DifferenceLines).

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "safeguard/SettingDifferences.h"
#include "ui/FieldSample.h"

class QTabWidget;

namespace tarnvik {

class SettingsBinder;

class SettingNames {
 public:
  struct Name {
    int tab = -1;         // the index of the tab that holds the control; -1: none
    QString shown;        // "Radio: TX delay [ms]"; the key name when no tab holds it
    bool number = false;  // a text field of digits or a decimal number
  };

  // Reads the names off the window's tabs, as they are built.
  SettingNames(const QTabWidget& tabs, const SettingsBinder& binder);

  // By the setting's index in SettingsTable().
  const Name& of(std::size_t index) const { return names_.at(index); }
  // A value in the form SettingValueText gives, as the control shows it.
  QString shownValue(std::size_t index, const std::string& value) const;
  // "Tab: Label: a -> b", grouped by tab in the tabs' order (the settings'
  // own order within a tab), an empty line between two tabs.
  QStringList lines(const std::vector<SettingDifference>& differences) const;

 private:
  std::vector<Name> names_;
};

// "1 setting" or "N settings".
QString SettingCount(std::size_t count);

}  // namespace tarnvik
