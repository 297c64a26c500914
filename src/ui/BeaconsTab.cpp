#include "ui/BeaconsTab.h"

#include <QPushButton>

namespace tarnvik {

namespace {
constexpr int kBeaconRowGap = 1;  // a head row and eight beacons fill the page
}

BeaconsTab::BeaconsTab(SettingsBinder& binder) : TabPage("TabBeacons") {
  AreaGrid* grid = stack(binder, {Area::Beacons}).front();
  grid->setVerticalSpacing(kBeaconRowGap);
  // The button shares the head row with the message column's head, at its right end.
  grid->setAlignment(findChild<QPushButton*>(QStringLiteral("Button11")), Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace tarnvik
