#include "ui/DigipeaterTab.h"

#include <QHBoxLayout>

#include "ui/CaptionedGroup.h"

namespace tarnvik {

namespace {

struct Group {
  const char* name;
  const char* title;
  std::vector<Area> areas;
};

constexpr int kGroupMargin = 2;
constexpr int kGroupGap = 3;     // three groups side by side leave little room
constexpr int kTightMargin = 2;  // above and below the groups, and under the caption
// Eight path rules under their heads fill the group: rows as tight as the
// text allows, a text line and three pixels above and below.
constexpr int kDenseRowGap = 1;
constexpr int kDenseControlPadding = 6;
constexpr int kPathColumnGap = 5;  // keeps the short heads "N >=" and "N <=" apart

}  // namespace

DigipeaterTab::DigipeaterTab(SettingsBinder& binder) : TabPage("TabDigipeater") {
  const Group groups[] = {
      {"GroupBoxCommon", "Common Digipeater settings:", {Area::DigipeaterCommon}},
      {"GroupBoxPaths", "New-N Paradigm PATH filter rules:", {Area::DigipeaterPaths}},
      {"GroupBoxFilter", "CALLSIGN filter rules:", {Area::FilterRule, Area::FilterEntries}},
  };
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(kPageMargin, kTightMargin, kPageMargin, kTightMargin);
  row->setSpacing(kGroupGap);
  std::vector<AreaGrid*> all;
  for (const Group& group : groups) {
    auto* box = new CaptionedGroup(QString::fromLatin1(group.title), this);
    box->setObjectName(QString::fromLatin1(group.name));
    for (AreaGrid* grid : stackInto(*box, binder, group.areas)) {
      grid->setVerticalSpacing(kDenseRowGap);
      grid->setControlHeight(fontMetrics().height() + kDenseControlPadding);
      all.push_back(grid);
    }
    box->layout()->setContentsMargins(kGroupMargin, 0, kGroupMargin, kTightMargin);
    row->addWidget(box);
  }
  row->addStretch(1);
  AreaGrid::find(all, Area::DigipeaterPaths)->setHorizontalSpacing(kPathColumnGap);
  AreaGrid::chainFocus(all);
}

}  // namespace tarnvik
