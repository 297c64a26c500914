#include "app/SettingNames.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <algorithm>

#include "settings/DeviceSettings.h"
#include "ui/SettingsBinder.h"
#include "ui/ShownText.h"
#include "ui/TabTable.h"

namespace tarnvik {

namespace {

// A caption as it reads: no mnemonic mark, no colon at its end.
QString Plain(QString caption) {
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
  caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  caption = caption.trimmed();
  while (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
  return caption.trimmed();
}

int TabOf(const QTabWidget& tabs, const QWidget& control) {
  for (const QWidget* w = &control; w != nullptr; w = w->parentWidget())
    if (const int index = tabs.indexOf(const_cast<QWidget*>(w)); index >= 0) return index;
  return -1;
}

QString LabelOf(const QTabWidget& tabs, const QWidget& control) {
  if (!control.accessibleName().isEmpty()) return control.accessibleName();
  for (const QLabel* label : tabs.findChildren<QLabel*>())
    if (label->buddy() == &control) return Plain(label->text());
  if (const auto* box = qobject_cast<const QAbstractButton*>(&control)) return Plain(box->text());
  return {};
}

bool IsNumber(const std::string& setting) {
  for (const ControlCell& cell : TabControls())
    if (cell.name == setting) return cell.kind == FieldKind::Digits || cell.kind == FieldKind::Decimal;
  return false;
}

SettingNames::Name NameOf(const QTabWidget& tabs, const SettingsBinder& binder, const SettingDefinition& setting) {
  SettingNames::Name name{-1, ShownText(setting.name), setting.kind == SettingKind::Text && IsNumber(setting.name)};
  const QWidget* control = binder.controlOf(setting.name);
  if (control == nullptr) return name;
  name.tab = TabOf(tabs, *control);
  const QString label = LabelOf(tabs, *control);
  if (name.tab >= 0 && !label.isEmpty()) name.shown = tabs.tabText(name.tab) + QStringLiteral(": ") + label;
  return name;
}

}  // namespace

SettingNames::SettingNames(const QTabWidget& tabs, const SettingsBinder& binder) {
  for (const SettingDefinition& setting : SettingsTable()) names_.push_back(NameOf(tabs, binder, setting));
}

QString SettingNames::shownValue(std::size_t index, const std::string& value) const {
  const SettingDefinition& setting = SettingsTable().at(index);
  switch (setting.kind) {
    case SettingKind::Text:
      return of(index).number && !value.empty() ? ShownText(value)
                                                : QLatin1Char('"') + ShownText(value) + QLatin1Char('"');
    case SettingKind::Flag: return value == "1" ? QStringLiteral("checked") : QStringLiteral("unchecked");
    case SettingKind::Choice: {
      const int entry = std::stoi(value);
      const ChoiceList& list = *setting.choices;
      if (entry < 0 || static_cast<std::size_t>(entry) >= list.size()) return QStringLiteral("(none)");
      return QLatin1Char('"') + ShownText(list[static_cast<std::size_t>(entry)]) + QLatin1Char('"');
    }
  }
  return ShownText(value);
}

QStringList SettingNames::lines(const std::vector<SettingDifference>& differences) const {
  std::vector<const SettingDifference*> sorted;
  for (const SettingDifference& d : differences) sorted.push_back(&d);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [this](const auto* x, const auto* y) { return of(x->index).tab < of(y->index).tab; });
  QStringList lines;
  for (std::size_t n = 0; n < sorted.size(); ++n) {
    const SettingDifference& d = *sorted[n];
    if (n > 0 && of(sorted[n - 1]->index).tab != of(d.index).tab) lines << QString();
    lines << of(d.index).shown + QStringLiteral(": ") + shownValue(d.index, d.a) + QStringLiteral(" -> ") +
                 shownValue(d.index, d.b);
  }
  return lines;
}

QString SettingCount(std::size_t count) {
  return count == 1 ? QStringLiteral("1 setting") : QStringLiteral("%1 settings").arg(count);
}

}  // namespace tarnvik
