#pragma once
// The "Serial ports" tab: the roles of the two RS-232 ports and the RS-485 port, and the WS-23XX warning.

#include "ui/TabPage.h"

namespace tarnvik {

class SerialPortsTab : public TabPage {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "Serial ports";
  explicit SerialPortsTab(SettingsBinder& binder);
};

}  // namespace tarnvik
