#include "ui/RtcTimeTab.h"

namespace tarnvik {

RtcTimeTab::RtcTimeTab(SettingsBinder& binder) : TabPage("TabRtcTime") {
  stack(binder, {Area::RtcUpload, Area::RtcTime}, {Area::RtcNote});
}

}  // namespace tarnvik
