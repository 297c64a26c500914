#pragma once
// What every settings tab shares: the margins of its page and the way its
// areas are stacked from the top, with notes and warnings at the bottom.

#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "ui/AreaGrid.h"

namespace tarnvik {

class TabPage : public QWidget {
  Q_OBJECT
 public:
  TabPage(const char* objectName, QWidget* parent = nullptr);

 protected:
  // Stacks the areas' grids from the top of the page (or of `holder`) and
  // returns them; `bottom` areas stand at the foot of the page.
  std::vector<AreaGrid*> stack(SettingsBinder& binder, const std::vector<Area>& top,
                               const std::vector<Area>& bottom = {});
  std::vector<AreaGrid*> stackInto(QWidget& holder, SettingsBinder& binder, const std::vector<Area>& top,
                                   const std::vector<Area>& bottom = {});
};

// Page margins and the gap between stacked areas.
inline constexpr int kPageMargin = 5;
inline constexpr int kAreaGap = 5;

}  // namespace tarnvik
