#include "ui/RadioTab.h"

namespace tarnvik {

namespace {
constexpr int kColumnGap = 48;  // between the identity and the timing columns
}

RadioTab::RadioTab(SettingsBinder& binder) : TabPage("TabRadio") {
  stack(binder, {Area::Radio}).front()->setColumnMinimumWidth(4, kColumnGap);
}

}  // namespace tarnvik
