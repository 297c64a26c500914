#include "ui/TabPage.h"

namespace tarnvik {

TabPage::TabPage(const char* objectName, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(objectName));
}

std::vector<AreaGrid*> TabPage::stack(SettingsBinder& binder, const std::vector<Area>& top,
                                      const std::vector<Area>& bottom) {
  return stackInto(*this, binder, top, bottom);
}

std::vector<AreaGrid*> TabPage::stackInto(QWidget& holder, SettingsBinder& binder, const std::vector<Area>& top,
                                          const std::vector<Area>& bottom) {
  auto* column = new QVBoxLayout(&holder);
  column->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  column->setSpacing(kAreaGap);
  std::vector<AreaGrid*> grids;
  // The grids keep their own width at the left, unless a field fills its
  // row; notes take the whole width.
  for (Area area : top) {
    column->addLayout(grids.emplace_back(new AreaGrid(area, binder, holder)));
    if (!grids.back()->fills()) column->setAlignment(grids.back(), Qt::AlignLeft);
  }
  column->addStretch(1);
  for (Area area : bottom) column->addLayout(grids.emplace_back(new AreaGrid(area, binder, holder)));
  AreaGrid::chainFocus(grids);
  return grids;
}

}  // namespace tarnvik
