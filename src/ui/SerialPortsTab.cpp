#include "ui/SerialPortsTab.h"

namespace tarnvik {

SerialPortsTab::SerialPortsTab(SettingsBinder& binder) : TabPage("TabSerialPorts") {
  stack(binder, {Area::SerialPorts}, {Area::SerialWarning});
}

}  // namespace tarnvik
